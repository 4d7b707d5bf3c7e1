// Changing the document from the view: a value edited through its field type, or an item inserted
// into a counted list, after which the rows below move down by the height of the new ones.
#include <windows.h>

#include "document/changes.h"
#include "views/document/document_view.h"

namespace {

// The heights of `count` rows walking from instance along next (or previous).
int64_t heightOfRows(const FieldInstance* instance, int64_t count, bool forward) {
    int64_t height = 0;
    for (; instance && count > 0; --count) {
        height += instance->height;
        instance = forward ? instance->next : instance->previous;
    }
    return height;
}

}  // namespace

void TfrmDocument::EditCurrent() {
    if (!editInstance(document, current)) return;
    UpdateCaption();
    InvalidateRect(hwnd, nullptr, FALSE);
}

void TfrmDocument::InsertAtCurrent() {
    FieldInstance* before = current->previous;
    int64_t instances = document->instanceCount;
    if (!insertItem(document, current)) return;
    // The new rows sit right before the current row, or right after it at a list's first header.
    int64_t added = document->instanceCount - instances;
    bool pushedDown = current->previous != before;
    int64_t at = pushedDown ? currentTop_ : CurrentSpot().bottom();
    int64_t height =
        pushedDown ? heightOfRows(current->previous, added, false) : heightOfRows(current->next, added, true);
    rows_.grow(height);
    RowSpot moved = CurrentSpot();
    RowTrack::shift(moved, at, height);
    currentTop_ = moved.top;
    RowTrack::shift(top_, at, height);
    top_ = rows_.at(scrollOffset, {top_, CurrentSpot()});

    UpdateCaption();
    UpdateScrollRange();
    KeepCurrentVisible();
    InvalidateRect(hwnd, nullptr, FALSE);
}
