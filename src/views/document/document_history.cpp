// The Edit menu on the document view; deleting the current list item, Undo and Redo are changes that
// may move rows anywhere, after which the rows are laid out again.
#include <windows.h>

#include "document/changes.h"
#include "document/history.h"
#include "document/row_kind.h"
#include "resource_ids.h"
#include "templates/template.h"
#include "views/document/document_view.h"

void TfrmDocument::DeleteAtCurrent() {
    RowRole role = current ? rowKindOf(current->field->code).role : RowRole::Data;
    if (role != RowRole::CountedList && role != RowRole::SizedList) return;
    if (deleteItem(document, current)) RowsChanged();
}

void TfrmDocument::OnEditCommand(int id) {
    if (id == cmdDeleteItem) DeleteAtCurrent();
    if (id == cmdGoToOffset) GoToOffset();
    if ((id == cmdUndo && undoChange(document)) || (id == cmdRedo && redoChange(document))) RowsChanged();
}

void TfrmDocument::RowsChanged() {
    int64_t oldTop = currentTop_;
    selection_.clear(document);
    rows_ = RowTrack(document);
    bytes_ = ByteTrack(document);
    RowSpot spot = rows_.first();
    while (spot.instance && spot.instance != current) spot = RowTrack::next(spot);
    if (!spot.instance) spot = rows_.at(oldTop, {});
    top_ = rows_.at(scrollOffset, {spot});
    MakeCurrent(spot);
    if (current) selection_.select(current);
    UpdateCaption();
    UpdateScrollRange();
    KeepCurrentVisible();
    InvalidateRect(hwnd, nullptr, FALSE);
    pane_.BytesChanged();
}
