// The Edit menu on the document view; deleting the current list item, Undo and Redo are changes that
// may move rows anywhere, after which the rows are laid out again.
#include <windows.h>

#include "document/changes.h"
#include "document/folds.h"
#include "document/history.h"
#include "document/lists.h"
#include "document/row_kind.h"
#include "resource_ids.h"
#include "templates/template.h"
#include "shell/drawing_resources.h"
#include "views/document/document_view.h"

namespace {

bool isListHeader(const FieldInstance* row) {
    RowRole role = row ? rowKindOf(row->field->code).role : RowRole::Data;
    return role == RowRole::CountedList || role == RowRole::SizedList;
}

}  // namespace

void TfrmDocument::DeleteAtCurrent() {
    if (!isListHeader(current)) return;
    if (deleteItem(document, current)) {
        RowsChanged();
    } else {
        SayWhyRefused();
    }
}

bool TfrmDocument::CanEditCommand(int id) const {
    switch (id) {
        case cmdUndo:
            return canUndo(document);
        case cmdRedo:
            return canRedo(document);
        case cmdDeleteItem: {
            ListOf list;
            return isListHeader(current) && findList(document, current, list) && list.items > 0;
        }
        case cmdCopy:
            return current != nullptr;
        case cmdPaste:
            return GetFocus() == pane_.hwnd && IsClipboardFormatAvailable(CF_TEXT);
        default:
            return id == cmdGoToOffset || id == cmdFind || id == cmdFindNext || id == cmdFindPrevious;
    }
}

void TfrmDocument::OnEditCommand(int id) {
    if (id == cmdDeleteItem) DeleteAtCurrent();
    if (id == cmdGoToOffset) GoToOffset();
    if (id == cmdFind) Find();
    if (id == cmdFindNext || id == cmdFindPrevious) FindAgain(id == cmdFindNext, GetFocus() == pane_.hwnd);
    if (id == cmdCopy) Copy();
    if (id == cmdPaste) Paste();
    int64_t layouts = document->layouts;
    if ((id == cmdUndo && undoChange(document)) || (id == cmdRedo && redoChange(document))) {
        if (!takeNewLayout(layouts)) RowsChanged();
    }
}

void TfrmDocument::RowsChanged() {
    selection_.clear(document);
    DocumentExtent extent = measureDocument(document, current, currentTop_);
    rows_ = RowTrack(document, extent.height, extent.rows);
    bytes_ = ByteTrack(document, extent.bytes, extent.found, extent.foundOffset);
    // Where the current row went, the row now at its place, bound when it is folded.
    RowSpot found = extent.found.instance == current ? extent.found : rows_.at(currentTop_, {extent.found});
    top_ = rows_.at(scrollOffset, {found});
    MakeCurrent(found);
    if (current) selection_.select(current);
    UpdateCaption();
    UpdateScrollRange();
    KeepCurrentVisible();
    InvalidateRect(hwnd, nullptr, FALSE);
    pane_.BytesChanged();
}

void TfrmDocument::FontsChanged() {
    for (FieldInstance* row = document->first; row; row = row->next)
        row->height = isFoldInstance(row) ? foldRows(row) * tmBold.height : tmBold.height;
    RowsChanged();
}
