// Scrolling the byte pane by lines of sixteen bytes.
#include <windows.h>

#include <algorithm>

#include "views/document/byte_columns.h"
#include "views/document/byte_pane.h"
#include "views/document/scroll_steps.h"

int64_t BytePane::LineCount() const {
    return (bytes_.total() + kBytesPerLine - 1) / kBytesPerLine;
}

// Whole lines only, at least one.
int32_t BytePane::PageLines() const {
    RECT client;
    GetClientRect(hwnd, &client);
    return std::max<int32_t>(client.bottom / ByteColumns(bytes_.total()).lineHeight(), 1);
}

void BytePane::UpdateScrollRange() {
    if (!hwnd) return;
    int64_t lines = LineCount();
    int64_t top = clampOffset(topLine_, lines, PageLines());
    showScrollRange(hwnd, SB_VERT, lines, PageLines(), top);
    if (top == topLine_) return;
    topLine_ = top;
    InvalidateRect(hwnd, nullptr, FALSE);
}

void BytePane::ScrollTo(int64_t line) {
    int64_t top = clampOffset(line, LineCount(), PageLines());
    if (top == topLine_) return;
    int64_t moved = topLine_ - top;
    topLine_ = top;
    showScrollPosition(hwnd, SB_VERT, LineCount(), top);
    RECT client;
    GetClientRect(hwnd, &client);
    int32_t lineHeight = ByteColumns(bytes_.total()).lineHeight();
    // Far moves repaint anyway; keeping the product small keeps it from overflowing.
    moveContent(hwnd, 0, std::clamp<int64_t>(moved, -PageLines() - 1, PageLines() + 1) * lineHeight,
                client.bottom);
}

void BytePane::KeepCursorVisible() {
    int64_t line = cursor_ / kBytesPerLine;
    if (line < topLine_) {
        ScrollTo(line);
    } else if (line >= topLine_ + PageLines()) {
        ScrollTo(line - PageLines() + 1);
    }
}

void BytePane::OnVerticalScroll(int request) {
    ScrollTo(scrollRequestTarget(hwnd, SB_VERT, request, topLine_, LineCount(), 1, std::max(PageLines() - 1, 1)));
}

void BytePane::OnMouseWheel(int delta) {
    // Turning the wheel away from the user shows what is above.
    ScrollTo(topLine_ - wheelDistance(wheelRest_, delta, SPI_GETWHEELSCROLLLINES, 1, PageLines()));
}
