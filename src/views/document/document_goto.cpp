// Go to offset: the row that holds a byte offset becomes current and visible.
#include <windows.h>

#include "views/document/document_view.h"
#include "views/document/goto_offset_dialog.h"

void TfrmDocument::GoToOffset() {
    int64_t offset = current ? bytes_.offsetOf(CurrentSpot(), rows_.last()) : 0;
    if (!askOffset(hwnd, &offset, bytes_.total())) return;
    selection_.clear(document);
    MakeCurrent(bytes_.rowAt(offset, rows_.last()));
    if (current) selection_.select(current);
    pane_.PlaceCursor(offset);
    KeepCurrentVisible();
    InvalidateRect(hwnd, nullptr, FALSE);
}
