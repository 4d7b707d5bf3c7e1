// Vertical scrolling: the scroll bar, the wheel, and the current row kept in view. Every move finds
// the new top row from the nearest known row, so scrolling anywhere costs the distance moved.
#include <windows.h>

#include <algorithm>

#include "document/folds.h"
#include "shell/drawing_resources.h"
#include "views/document/document_view.h"
#include "views/document/scroll_steps.h"

int32_t TfrmDocument::ClientHeight() const {
    RECT client;
    GetClientRect(hwnd, &client);
    return client.bottom;
}

int32_t TfrmDocument::LineHeight() const {
    return static_cast<int32_t>(std::max<int64_t>(top_.instance ? top_.instance->height : tmBold.height, 1));
}

// A page keeps one line of the last one in view.
int32_t TfrmDocument::PageHeight() const {
    return std::max(ClientHeight() - LineHeight(), LineHeight());
}

void TfrmDocument::UpdateScrollRange() {
    int32_t page = ClientHeight();
    int64_t offset = clampOffset(scrollOffset, rows_.height(), page);
    showScrollRange(hwnd, SB_VERT, rows_.height(), page, offset);
    if (offset == scrollOffset) return;
    scrollOffset = offset;
    top_ = rows_.at(offset, {top_, CurrentSpot()});
    InvalidateRect(hwnd, nullptr, FALSE);
}

void TfrmDocument::ScrollTo(int64_t wanted) {
    int32_t page = ClientHeight();
    int64_t offset = clampOffset(wanted, rows_.height(), page);
    if (offset == scrollOffset) return;
    int64_t moved = scrollOffset - offset;
    scrollOffset = offset;
    top_ = rows_.at(offset, {top_, CurrentSpot()});
    FoldRowsOutOfSight();
    showScrollPosition(hwnd, SB_VERT, rows_.height(), offset);
    moveContent(hwnd, 0, moved, page);
}

void TfrmDocument::FoldRowsOutOfSight() {
    // A document that folds short lists folds them again soon.
    int64_t shownBeforeFolding = std::min<int64_t>(50000, 8 * document->foldAbove);
    if (document->instanceCount < instancesFolded_ + shownBeforeFolding || !top_.instance) return;
    RowSpot bottom = rows_.at(scrollOffset + ClientHeight(), {top_});
    int64_t topOffset = bytes_.offsetOf(top_, rows_.last());
    if (refoldShownItems(document, top_.instance, bottom.instance) > 0) {
        // The rows the byte track remembered may be gone; the top row is not.
        bytes_ = ByteTrack(document, bytes_.total(), top_, topOffset);
    }
    instancesFolded_ = document->instanceCount;
}

void TfrmDocument::KeepCurrentVisible() {
    if (!current) return;
    if (currentTop_ < scrollOffset) {
        ScrollTo(currentTop_);
    } else if (CurrentSpot().bottom() > scrollOffset + ClientHeight()) {
        ScrollTo(CurrentSpot().bottom() - ClientHeight());
    }
}

void TfrmDocument::OnVerticalScroll(int request) {
    ScrollTo(scrollRequestTarget(hwnd, SB_VERT, request, scrollOffset, rows_.height(), LineHeight(), PageHeight()));
}

void TfrmDocument::OnMouseWheel(int delta) {
    // Turning the wheel away from the user shows what is above.
    ScrollTo(scrollOffset -
             wheelDistance(wheelRest_, delta, SPI_GETWHEELSCROLLLINES, LineHeight(), PageHeight()));
}
