// The keyboard on the document view: Enter, Insert and Delete change the document at the current row, the
// arrow and page keys move the current row and keep it in view, Left and Right scroll sideways, Tab
// goes to the byte pane.
#include <windows.h>

#include "document/row_kind.h"
#include "templates/template.h"
#include "views/document/document_view.h"

namespace {

bool isListRow(const FieldInstance* instance) {
    RowRole role = rowKindOf(instance->field->code).role;
    return role == RowRole::CountedList || role == RowRole::SizedList || role == RowRole::ListEnd;
}

}  // namespace

bool TfrmDocument::OnKeyDown(WPARAM key) {
    bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
        case VK_RETURN:
            if (current && isListRow(current)) {
                InsertAtCurrent();
            } else if (current) {
                EditCurrent();
            }
            return true;
        case VK_INSERT:
            if (current && isListRow(current)) InsertAtCurrent();
            return true;
        case VK_DELETE:
            DeleteAtCurrent();
            return true;
        case VK_UP:
            // Past the first row nothing is current; from there Up starts again at the first.
            MoveCurrent(current ? RowTrack::previous(CurrentSpot()) : rows_.first(), shift);
            return true;
        case VK_DOWN:
            MoveCurrent(current ? RowTrack::next(CurrentSpot()) : rows_.last(), shift);
            return true;
        case VK_PRIOR:
        case VK_NEXT:
            MoveCurrent(PageFrom(current ? CurrentSpot() : top_, key == VK_NEXT), shift);
            return true;
        case VK_HOME:
            MoveCurrent(rows_.first(), shift);
            return true;
        case VK_END:
            MoveCurrent(rows_.last(), shift);
            return true;
        case VK_LEFT:
            ScrollSideways(-1);
            return true;
        case VK_RIGHT:
            ScrollSideways(1);
            return true;
        case VK_TAB:
            SetFocus(pane_.hwnd);
            return true;
        default:
            return false;
    }
}

void TfrmDocument::MoveCurrent(RowSpot to, bool extend) {
    MakeCurrent(to);
    if (!extend) selection_.clear(document);
    if (current) selection_.select(current);
    KeepCurrentVisible();
    InvalidateRect(hwnd, nullptr, FALSE);
}

// A page down (or up) from a row, stopping at the first and the last row.
RowSpot TfrmDocument::PageFrom(RowSpot from, bool down) const {
    if (!from.instance) return from;
    int64_t y = down ? from.top + PageHeight() : from.top - PageHeight();
    RowSpot to = rows_.at(y, {from, top_});
    // A row taller than the page still moves one row.
    if (to.instance != from.instance) return to;
    RowSpot neighbour = down ? RowTrack::next(from) : RowTrack::previous(from);
    return neighbour.instance ? neighbour : from;
}
