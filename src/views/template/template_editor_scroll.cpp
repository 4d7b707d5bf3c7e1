// Size handling, both scroll bars, the mouse wheel and keeping a row in view.
#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "shell/drawing_resources.h"
#include "templates/template.h"
#include "views/template/template_editor.h"

namespace {

void setScrollRange(HWND window, int bar, int32_t maximum, int32_t page) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = maximum;
    info.nPage = static_cast<UINT>(std::max(page, 0));
    SetScrollInfo(window, bar, &info, TRUE);
}

// The message carries 16 bits of the thumb position; beyond that only the scroll bar knows it.
int32_t thumbPosition(HWND window, int bar, WPARAM request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_TRACKPOS;
    if (GetScrollInfo(window, bar, &info) && info.nMax > 0xFFFF) return info.nTrackPos;
    return HIWORD(request);
}

// Where a scroll bar request leads from the current position, before clamping. Line steps are one
// unit, page steps one page; the last position is the caller's.
int64_t requestedPosition(HWND window, int bar, WPARAM request, int64_t current, int64_t page, int64_t last) {
    switch (LOWORD(request)) {
        case SB_LINEUP:
            return current - 1;
        case SB_LINEDOWN:
            return current + 1;
        case SB_PAGEUP:
            return current - page;
        case SB_PAGEDOWN:
            return current + page;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            return thumbPosition(window, bar, request);
        case SB_TOP:
            return 0;
        case SB_BOTTOM:
            return last;
    }
    return current;
}

int32_t clampTo(int64_t value, int32_t low, int32_t high) {
    return static_cast<int32_t>(std::max<int64_t>(std::min<int64_t>(value, high), low));
}

}  // namespace

int32_t TfrmTemplate::RowHeight() const {
    return std::max(tmNormal.height, 1);
}

int TfrmTemplate::ClientWidth() const {
    RECT client;
    GetClientRect(hwnd, &client);
    return client.right;
}

void TfrmTemplate::OnSize() {
    RECT client;
    GetClientRect(hwnd, &client);
    const int32_t rowHeight = RowHeight();
    pageRows = (client.bottom + rowHeight - 1) / rowHeight;
    bottomRow = topRow + pageRows;
    setScrollRange(hwnd, SB_VERT, templ->fieldCount, pageRows);
    setScrollRange(hwnd, SB_HORZ, contentWidth, client.right);
}

void TfrmTemplate::OnVScroll(WPARAM request) {
    ScrollToRow(requestedPosition(hwnd, SB_VERT, request, topRow, pageRows,
                                  static_cast<int64_t>(templ->fieldCount) - pageRows + 1));
}

void TfrmTemplate::OnMouseWheel(int delta) {
    wheelRemainder += delta;
    const int notches = wheelRemainder / WHEEL_DELTA;
    wheelRemainder -= notches * WHEEL_DELTA;
    if (notches == 0) return;
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int64_t step = lines == WHEEL_PAGESCROLL ? pageRows : lines;
    ScrollToRow(topRow - notches * step);
}

// The last field can come up to the second-last visible row.
void TfrmTemplate::ScrollToRow(int64_t row) {
    topRow = clampTo(row, 0, std::max(templ->fieldCount - pageRows + 1, 0));
    bottomRow = topRow + pageRows;
    SetScrollPos(hwnd, SB_VERT, topRow, TRUE);
    InvalidateRect(hwnd, nullptr, FALSE);
}

// By pixels, up to the widest row.
void TfrmTemplate::OnHScroll(WPARAM request) {
    const int32_t width = ClientWidth();
    const int64_t x = requestedPosition(hwnd, SB_HORZ, request, scrollX, width, contentWidth - width);
    scrollX = clampTo(x, 0, std::max(contentWidth - width, 0));
    SetScrollPos(hwnd, SB_HORZ, scrollX, TRUE);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void TfrmTemplate::ScrollIntoView(int32_t row) {
    if (row < topRow) {
        bottomRow = std::min(row + pageRows, templ->fieldCount - 1);
        topRow = std::max(bottomRow - pageRows, 0);
    } else if (row >= bottomRow - 2) {
        topRow = std::max(row - pageRows + 2, 0);
        bottomRow = topRow + pageRows;
    } else {
        return;
    }
    SetScrollPos(hwnd, SB_VERT, topRow, TRUE);
    InvalidateRect(hwnd, nullptr, FALSE);
}
