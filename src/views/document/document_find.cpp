// Find: the match becomes the current row, selected and in view, with the byte pane's cursor on its
// first byte; passing the end (or the start) to find it is said on the status bar.
#include <windows.h>

#include "shell/ui_strings.h"
#include "fieldtypes/value_query.h"
#include "views/document/document_view.h"

void TfrmDocument::Find() {
    // The dialog takes the keyboard; where it was tells what to search.
    bool inPane = GetFocus() == pane_.hwnd;
    if (askFind(hwnd, &findRequest_)) FindAgain(true, inPane);
}

void TfrmDocument::FindAgain(bool forward, bool inPane) {
    if (findRequest_.typed.empty()) return Find();
    const FindQuery& query = findRequest_.query;
    bool wrapped = false;
    bool inBytes = query.kind == FindKind::Bytes || (inPane && query.kind == FindKind::Text);
    // Finding nothing in the largest documents takes a second or so.
    HCURSOR was = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    bool found = inBytes ? FindBytesFrom(forward, &wrapped) : FindRowFrom(forward, &wrapped);
    SetCursor(was);
    if (!found) {
        MessageBeep(MB_ICONWARNING);
        return Note(promptText(UIStrings[usNotFound], findRequest_.typed.c_str()));
    }
    if (wrapped) Note(UIStrings[forward ? usSearchWrappedToTop : usSearchWrappedToBottom]);
}

bool TfrmDocument::FindRowFrom(bool forward, bool* wrapped) {
    RowFound found = findRow(document, findRequest_.query, current, forward);
    if (!found.instance) return false;
    *wrapped = found.wrapped;
    // The found row's place, walked to from the side the search came from.
    RowSpot spot = !current || found.wrapped ? (forward ? rows_.first() : rows_.last()) : CurrentSpot();
    while (spot.instance != found.instance) spot = forward ? spot.below() : spot.above();
    MoveCurrent(spot, false);
    return true;
}

bool TfrmDocument::FindBytesFrom(bool forward, bool* wrapped) {
    const int64_t total = bytes_.total();
    if (total == 0) return false;
    int64_t from = pane_.Cursor() + (forward ? 1 : -1);
    bool pastEnd = from < 0 || from >= total;
    if (pastEnd) from = forward ? 0 : total - 1;
    BytesFound found = findBytes(document, findRequest_.query, total, from, forward);
    if (found.offset < 0) return false;
    *wrapped = found.wrapped || pastEnd;
    CurrentFromByte(found.offset, false);
    pane_.PlaceCursor(found.offset, found.offset + static_cast<int64_t>(findRequest_.query.bytes.size()) - 1);
    return true;
}

void TfrmDocument::Note(const std::string& note) {
    note_ = note;
    UpdateStatus();
}
