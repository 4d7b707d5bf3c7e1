#include "views/document/goto_offset_dialog.h"

#include <cstdio>
#include <string>

#include "mainwindow/modal_dialog.h"
#include "shell/number_text.h"
#include "views/document/goto_offset_ids.h"
#include "views/document/label_fit.h"

namespace {

// One call's state, copied into the dialog at start and read back when it ends.
struct OffsetRecord {
    int64_t offset;
    int64_t size;
};

INT_PTR onInitDialog(HWND dialog, OffsetRecord* record) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    char text[32];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(record->offset));
    HWND edit = GetDlgItem(dialog, IDC_GOTO_EDIT);
    SetWindowTextA(edit, text);
    fitLabelToText(dialog, IDC_GOTO_PROMPT);  // a font wider than the layout's wraps it
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    return FALSE;  // the focus stays on the edit control
}

void onOk(HWND dialog, OffsetRecord* record) {
    HWND edit = GetDlgItem(dialog, IDC_GOTO_EDIT);
    std::string text(GetWindowTextLengthA(edit) + 1, '\0');
    GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
    int64_t offset;
    if (!parseOffsetText(text.c_str(), &offset))
        return refuseTyped(dialog, IDC_GOTO_PROMPT, edit, "That is no offset: type 26, $1A or 0x1A.");
    if (offset >= record->size) {
        // Not the number typed: one too big for 64 bits reads as the largest offset there is.
        char reason[96];
        std::snprintf(reason, sizeof reason, "That offset is past the end: the document has %lld bytes.",
                      static_cast<long long>(record->size));
        return refuseTyped(dialog, IDC_GOTO_PROMPT, edit, reason);
    }
    record->offset = offset;
    EndDialog(dialog, 1);
}

}  // namespace

bool askOffset(HWND owner, int64_t* offset, int64_t size) {
    OffsetRecord record{*offset, size};
    if (!runRecordDialog<OffsetRecord, onInitDialog, onOk>(owner, "dlgGoToOffset", &record)) {
        return false;
    }
    *offset = record.offset;
    return true;
}
