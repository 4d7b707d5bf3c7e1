// The template list dialog closes only through OK, Edit or a double click on the list.
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

// Cancel, from Escape and the close box, is one of the commands that do nothing.
void onListCommand(HWND dialog, int id) {
    if (id == IDOK) {
        EndDialog(dialog, 0);
    } else if (id == IDC_EDIT_TEMPLATE) {
        openChosen(dialog);
    }
}

constexpr TemplateDialogRules kListRules{IDC_EDIT_TEMPLATE, SecondButtonWidth::half, openChosen,
                                         onListCommand};

INT_PTR CALLBACK listDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return templateDialogMessage(dialog, message, wParam, lParam, kListRules);
}

}  // namespace

void ShowTemplateList(TfrmMain* frame) {
    InitCommonControls();
    DialogBoxParamA(moduleInstance, kDialogName, frame->hwnd, listDialogProc,
                    reinterpret_cast<LPARAM>(frame));
    // An editor opened while the dialog disabled the main window could not take the focus then.
    if (TabEntry* current = frame->CurrentEntry()) SetFocus(current->view->hwnd);
}
