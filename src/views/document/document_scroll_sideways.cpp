// Horizontal scrolling over the widest row in view: rows wider than the window are reached
// with the scroll bar, the tilting wheel and the Left and Right keys.
#include <windows.h>

#include <algorithm>

#include "views/document/document_view.h"
#include "views/document/row_drawing.h"
#include "views/document/scroll_steps.h"

namespace {

constexpr int32_t kSidewaysLine = kIndentStep;

// A page keeps one line of the last one in view.
int32_t sidewaysPage(int32_t width) {
    return std::max(width - kSidewaysLine, kSidewaysLine);
}

}  // namespace

int32_t TfrmDocument::ClientWidth() const {
    RECT client;
    GetClientRect(hwnd, &client);
    return client.right;
}

void TfrmDocument::UpdateWidthRange() {
    int32_t page = ClientWidth();
    auto offset = static_cast<int32_t>(clampOffset(scrollLeft_, widestRow_, page));
    showScrollRange(hwnd, SB_HORZ, widestRow_, page, offset);
    if (offset == scrollLeft_) return;
    scrollLeft_ = offset;
    InvalidateRect(hwnd, nullptr, FALSE);
}

void TfrmDocument::SetContentWidth(int32_t width) {
    if (width == widestRow_) return;
    widestRow_ = width;
    UpdateWidthRange();
}

void TfrmDocument::ScrollSidewaysTo(int64_t wanted) {
    int32_t page = ClientWidth();
    auto offset = static_cast<int32_t>(clampOffset(wanted, widestRow_, page));
    if (offset == scrollLeft_) return;
    int64_t moved = int64_t{scrollLeft_} - offset;
    scrollLeft_ = offset;
    showScrollPosition(hwnd, SB_HORZ, widestRow_, offset);
    moveContent(hwnd, moved, 0, page);
}

void TfrmDocument::ScrollSideways(int32_t lines) {
    ScrollSidewaysTo(int64_t{scrollLeft_} + int64_t{lines} * kSidewaysLine);
}

void TfrmDocument::OnHorizontalScroll(int request) {
    int32_t page = sidewaysPage(ClientWidth());
    ScrollSidewaysTo(scrollRequestTarget(hwnd, SB_HORZ, request, scrollLeft_, widestRow_, kSidewaysLine, page));
}

void TfrmDocument::OnHorizontalWheel(int delta) {
    int32_t page = sidewaysPage(ClientWidth());
    ScrollSidewaysTo(scrollLeft_ +
                     wheelDistance(sidewaysWheelRest_, delta, SPI_GETWHEELSCROLLCHARS, kSidewaysLine, page));
}
