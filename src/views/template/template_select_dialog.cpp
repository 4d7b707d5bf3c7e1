#include "views/template/template_select_dialog.h"

// after windows.h, whose types it uses
#include <commctrl.h>

#include <cstdint>

#include "mainwindow/window_resources.h"
#include "shell/settings_file.h"
#include "templates/template.h"
#include "templates/template_choice.h"
#include "views/template/template_choice_list.h"
#include "views/template/template_choice_list_ids.h"

namespace {

constexpr const char* kDialogName = "dlgSelectTemplate";

// The choice comes first: the shared dialog procedure keeps the record as the dialog's user data.
struct SelectRecord {
    Template* choice;
    int32_t preselected;
};

void answer(HWND dialog, Template* choice) {
    reinterpret_cast<SelectRecord*>(GetWindowLongPtrA(dialog, GWLP_USERDATA))->choice = choice;
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

void preselect(HWND dialog, int32_t index) {
    HWND list = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = item.stateMask;
    SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
    SendMessageA(list, LVM_ENSUREVISIBLE, index, FALSE);
}

INT_PTR CALLBACK selectDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = templateDialogMessage(dialog, message, wParam, lParam, kSelectRules);
    if (message == WM_INITDIALOG) preselect(dialog, reinterpret_cast<SelectRecord*>(lParam)->preselected);
    return result;
}

}  // namespace

Template* SelectTemplate(HWND owner, const char* path) {
    InitCommonControls();
    SelectRecord record{nullptr, preferredTemplate(templateLibrary, path, settingsFilePath)};
    DialogBoxParamA(moduleInstance, kDialogName, owner, selectDialogProc, reinterpret_cast<LPARAM>(&record));
    if (record.choice) rememberTemplate(path, record.choice->name, settingsFilePath);
    return record.choice;
}
