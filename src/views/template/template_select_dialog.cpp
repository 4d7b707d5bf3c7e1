#include "views/template/template_select_dialog.h"

// after windows.h, whose types it uses
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "mainwindow/window_resources.h"
#include "shell/settings_file.h"
#include "shell/strings.h"
#include "shell/ui_strings.h"
#include "templates/template.h"
#include "templates/template_choice.h"
#include "views/template/template_choice_list.h"
#include "views/template/template_choice_list_ids.h"

namespace {

constexpr const char* kDialogName = "dlgSelectTemplate";
constexpr size_t kTitleSize = 320;

// The choice comes first: the shared dialog procedure keeps the record as the dialog's user data.
struct SelectRecord {
    Template* choice;
    int32_t preselected;
    const char* path;  // null for a new document
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

// Several dropped files ask one after the other: the title tells which one the choice is for.
void nameFile(HWND dialog, const char* path) {
    std::unique_ptr<char[]> name(FileNameOfPath(path));
    char title[kTitleSize];
    std::snprintf(title, sizeof title, UIStrings[usTemplateForFileTitle], name.get());
    SetWindowTextA(dialog, title);
}

INT_PTR CALLBACK selectDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = templateDialogMessage(dialog, message, wParam, lParam, kSelectRules);
    if (message == WM_INITDIALOG) {
        const auto* record = reinterpret_cast<SelectRecord*>(lParam);
        preselect(dialog, record->preselected);
        if (record->path) nameFile(dialog, record->path);
    }
    return result;
}

}  // namespace

Template* SelectTemplate(HWND owner, const char* path) {
    InitCommonControls();
    SelectRecord record{nullptr, preferredTemplate(templateLibrary, path, settingsFilePath), path};
    DialogBoxParamA(moduleInstance, kDialogName, owner, selectDialogProc, reinterpret_cast<LPARAM>(&record));
    if (record.choice) rememberTemplate(path, record.choice->name, settingsFilePath);
    return record.choice;
}
