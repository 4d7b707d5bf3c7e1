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

void answerChosen(HWND dialog) {
    answer(dialog, chosenTemplate(dialog));
}

// Escape and the close box arrive as Cancel.
void onSelectCommand(HWND dialog, int id) {
    if (id == IDOK) {
        answerChosen(dialog);
    } else if (id == IDCANCEL) {
        answer(dialog, nullptr);
    }
}

constexpr TemplateDialogRules kSelectRules{IDCANCEL, SecondButtonWidth::rest, answerChosen, onSelectCommand};

INT_PTR CALLBACK selectDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return templateDialogMessage(dialog, message, wParam, lParam, kSelectRules);
}

}  // namespace

Template* SelectTemplate(HWND owner) {
    InitCommonControls();
    Template* choice = nullptr;
    DialogBoxParamA(moduleInstance, kDialogName, owner, selectDialogProc, reinterpret_cast<LPARAM>(&choice));
    return choice;
}
