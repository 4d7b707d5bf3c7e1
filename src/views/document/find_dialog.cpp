#include "views/document/find_dialog.h"

#include "mainwindow/modal_dialog.h"
#include "views/document/find_dialog_ids.h"
#include "views/document/label_fit.h"

namespace {

constexpr int kKindButtons[] = {IDC_FIND_TEXT, IDC_FIND_NUMBER, IDC_FIND_BYTES};
constexpr FindKind kKinds[] = {FindKind::Text, FindKind::Number, FindKind::Bytes};

INT_PTR onInitDialog(HWND dialog, FindRequest* request) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(request));
    HWND edit = GetDlgItem(dialog, IDC_FIND_EDIT);
    SetWindowTextA(edit, request->typed.c_str());
    for (int i = 0; i < 3; ++i)
        if (kKinds[i] == request->query.kind) CheckRadioButton(dialog, IDC_FIND_TEXT, IDC_FIND_BYTES, kKindButtons[i]);
    fitLabelToText(dialog, IDC_FIND_PROMPT);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    return FALSE;  // the focus stays on the edit control
}

void onOk(HWND dialog, FindRequest* request) {
    HWND edit = GetDlgItem(dialog, IDC_FIND_EDIT);
    std::string typed(GetWindowTextLengthA(edit) + 1, '\0');
    typed.resize(GetWindowTextA(edit, typed.data(), static_cast<int>(typed.size())));
    FindKind kind = FindKind::Text;
    for (int i = 0; i < 3; ++i)
        if (IsDlgButtonChecked(dialog, kKindButtons[i]) == BST_CHECKED) kind = kKinds[i];
    const char* reason = nullptr;
    FindQuery query;
    if (!makeFindQuery(kind, typed.c_str(), &query, &reason))
        return refuseTyped(dialog, IDC_FIND_PROMPT, edit, reason);
    request->typed = typed;
    request->query = query;
    EndDialog(dialog, 1);
}

}  // namespace

bool askFind(HWND owner, FindRequest* request) {
    return runRecordDialog<FindRequest, onInitDialog, onOk>(owner, "dlgFind", request);
}
