// queryValue on the desktop: the modal dialog "dlgSimpleQuery", owned by the given window.
#include <windows.h>

#include <string>

#include "mainwindow/window_resources.h"
#include "shell/strings.h"
#include "views/document/label_fit.h"
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
    RefuseTextProc refuse;  // may be null
};

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
    fitLabelToText(dialog, IDC_QUERY_PROMPT);  // a long caption wraps rather than being cut
    SetWindowTextA(record->edit, record->text);
    SetWindowTextA(dialog, record->title);
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    SetFocus(record->edit);
    SendMessageA(record->edit, EM_SETSEL, 0, -1);
    return FALSE;  // the focus stays on the edit control
}

void onOk(QueryRecord* record) {
    takeEditText(record);
    const char* reason = record->refuse ? record->refuse(record->text) : nullptr;
    if (!reason) {
        EndDialog(record->dialog, 1);
        return;
    }
    SetWindowTextA(record->label, (std::string(reason) + "\n" + record->prompt).c_str());
    fitLabelToText(record->dialog, IDC_QUERY_PROMPT);
    MessageBeep(MB_ICONWARNING);
    SetFocus(record->edit);
    SendMessageA(record->edit, EM_SETSEL, 0, -1);
}

INT_PTR CALLBACK queryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return onInitDialog(dialog, reinterpret_cast<QueryRecord*>(lParam));
    auto* record = reinterpret_cast<QueryRecord*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (message != WM_COMMAND || !record) return FALSE;
    switch (LOWORD(wParam)) {
        case IDOK:
            onOk(record);
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
                 RefuseTextProc refuse) {
    QueryRecord record{static_cast<HWND>(owner), nullptr, nullptr, nullptr,
                       DupString(initialText),   title,   prompt,  refuse};
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
