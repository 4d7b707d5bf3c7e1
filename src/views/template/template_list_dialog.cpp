// The template list dialog closes only through OK, Edit or a double click on the list: Escape and
// the close box do nothing.
#include "views/template/template_list_dialog.h"

#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include "mainwindow/main_frame.h"
#include "mainwindow/window_resources.h"
#include "views/template/template_choice_list.h"
#include "views/template/template_list_dialog_ids.h"

namespace {

constexpr const char* kDialogName = "dlgListTemplates";

// With nothing selected no editor opens; the dialog closes either way.
void openChosen(HWND dialog) {
    auto* frame = reinterpret_cast<TfrmMain*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (Template* chosen = chosenTemplate(dialog)) frame->OpenTemplateEditor(chosen);
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK listDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            initTemplateDialog(dialog, lParam);
            return TRUE;
        case WM_SIZE:
            layoutTemplateDialog(dialog, IDC_EDIT_TEMPLATE, SecondButtonWidth::half);
            return TRUE;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code != static_cast<UINT>(NM_DBLCLK)) return FALSE;
            openChosen(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                EndDialog(dialog, 0);
            } else if (LOWORD(wParam) == IDC_EDIT_TEMPLATE) {
                openChosen(dialog);
            }
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowTemplateList(TfrmMain* frame) {
    InitCommonControls();
    DialogBoxParamA(moduleInstance, kDialogName, frame->hwnd, listDialogProc,
                    reinterpret_cast<LPARAM>(frame));
    // An editor opened while the dialog disabled the main window could not take the focus then.
    if (TabEntry* current = frame->CurrentEntry()) SetFocus(current->view->hwnd);
}
