#include "views/template/template_select_dialog.h"

// after windows.h, whose types it uses
#include <commctrl.h>

#include "mainwindow/window_resources.h"
#include "views/template/template_choice_list.h"

namespace {

constexpr const char* kDialogName = "dlgSelectTemplate";

void answer(HWND dialog, Template* choice) {
    *reinterpret_cast<Template**>(GetWindowLongPtrA(dialog, GWLP_USERDATA)) = choice;
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK selectDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            initTemplateDialog(dialog, lParam);
            return TRUE;
        case WM_SIZE:
            layoutTemplateDialog(dialog, IDCANCEL, SecondButtonWidth::rest);
            return TRUE;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code != static_cast<UINT>(NM_DBLCLK)) return FALSE;
            answer(dialog, chosenTemplate(dialog));
            return TRUE;
        case WM_COMMAND:
            // Escape and the close box arrive as Cancel.
            if (LOWORD(wParam) == IDOK) {
                answer(dialog, chosenTemplate(dialog));
            } else if (LOWORD(wParam) == IDCANCEL) {
                answer(dialog, nullptr);
            }
            return TRUE;
    }
    return FALSE;
}

}  // namespace

Template* SelectTemplate(HWND owner) {
    InitCommonControls();
    Template* choice = nullptr;
    DialogBoxParamA(moduleInstance, kDialogName, owner, selectDialogProc, reinterpret_cast<LPARAM>(&choice));
    return choice;
}
