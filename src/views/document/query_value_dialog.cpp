// queryValue on the desktop: the modal dialog "dlgSimpleQuery", owned by the given window.
#include <windows.h>

#include "mainwindow/window_resources.h"
#include "shell/strings.h"
#include "views/document/query_value.h"
#include "views/document/value_query_ids.h"

namespace {

// One call's state, copied into the dialog at start and read back when it ends.
struct QueryRecord {
    HWND owner;
    HWND dialog;
    HWND edit;
    HWND label;
    char* text;  // owned
    const char* title;
    const char* prompt;
    AcceptTextProc accept;
};

int acceptEveryText(const char*) {
    return 1;
}

void takeEditText(QueryRecord* record) {
    int length = GetWindowTextLengthA(record->edit);
    char* text = new char[length + 1];
    GetWindowTextA(record->edit, text, length + 1);
    delete[] record->text;
    record->text = text;
}

INT_PTR onInitDialog(HWND dialog, QueryRecord* record) {
    record->dialog = dialog;
    record->edit = GetDlgItem(dialog, IDC_QUERY_EDIT);
    record->label = GetDlgItem(dialog, IDC_QUERY_PROMPT);
    SetWindowTextA(record->label, record->prompt);
    SetWindowTextA(record->edit, record->text);
    SetWindowTextA(dialog, record->title);
    if (!record->accept) record->accept = acceptEveryText;
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    SetFocus(record->edit);
    SendMessageA(record->edit, EM_SETSEL, 0, -1);
    return FALSE;  // the focus stays on the edit control
}

INT_PTR CALLBACK queryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return onInitDialog(dialog, reinterpret_cast<QueryRecord*>(lParam));
    auto* record = reinterpret_cast<QueryRecord*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (message != WM_COMMAND || !record) return FALSE;
    switch (LOWORD(wParam)) {
        case IDOK:
            takeEditText(record);
            EndDialog(dialog, record->accept(record->text));
            return TRUE;
        case IDCANCEL:
            takeEditText(record);
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

char* queryValue(platform::Window owner, const char* title, const char* prompt, const char* initialText,
                 AcceptTextProc accept) {
    QueryRecord record{static_cast<HWND>(owner), nullptr, nullptr, nullptr,
                       DupString(initialText),   title,   prompt,  accept};
    INT_PTR ended = DialogBoxParamA(moduleInstance, "dlgSimpleQuery", record.owner, queryDialogProc,
                                    reinterpret_cast<LPARAM>(&record));
    char* result = nullptr;
    // A dialog that could not be shown (-1) counts as confirmed: the initial text comes back.
    if (ended != 0) {
        result = record.text;
        record.text = nullptr;
    }
    delete[] record.text;
    return result;
}
