#include "views/document/scroll_steps.h"

#include <algorithm>

int64_t clampOffset(int64_t wanted, int64_t content, int64_t page) {
    return std::clamp<int64_t>(wanted, 0, std::max<int64_t>(content - page, 0));
}

int barShift(int64_t content) {
    // A range of INT32_MAX has a length, nMax + 1, that overflows a bar's int.
    int shift = 0;
    while ((content - 1) >> shift >= INT32_MAX) ++shift;
    return shift;
}

int64_t scrollRequestTarget(HWND window, int bar, int request, int64_t offset, int64_t content, int32_t line,
                            int32_t page) {
    switch (request) {
        case SB_LINEUP:
            return offset - line;
        case SB_LINEDOWN:
            return offset + line;
        case SB_PAGEUP:
            return offset - page;
        case SB_PAGEDOWN:
            return offset + page;
        case SB_TOP:
            return 0;
        case SB_BOTTOM:
            return INT64_MAX;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            // The message carries only 16 bits of the position.
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS | SIF_RANGE | SIF_PAGE;
            if (!GetScrollInfo(window, bar, &info)) return offset;
            // The bar's unit rounds the page down: at its last position the thumb stands for the end.
            int64_t lastPosition = int64_t{info.nMax} - std::max<int64_t>(int64_t{info.nPage} - 1, 0);
            if (info.nTrackPos >= lastPosition) return INT64_MAX;
            return int64_t{info.nTrackPos} << barShift(content);
        }
        default:
            return offset;
    }
}

int64_t wheelDistance(int& rest, int delta, UINT perNotchSetting, int32_t line, int32_t page) {
    UINT perNotch = 3;
    SystemParametersInfoA(perNotchSetting, 0, &perNotch, 0);
    rest += delta;
    if (perNotch == 0) {
        rest = 0;
        return 0;
    }
    if (perNotch == WHEEL_PAGESCROLL) {
        int pages = rest / WHEEL_DELTA;
        rest -= pages * WHEEL_DELTA;
        return int64_t{pages} * page;
    }
    int64_t steps = int64_t{rest} * perNotch / WHEEL_DELTA;
    rest -= static_cast<int>(steps * WHEEL_DELTA / perNotch);
    return steps * line;
}

void showScrollRange(HWND window, int bar, int64_t content, int32_t page, int64_t offset) {
    int shift = barShift(content);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = static_cast<int>(std::max<int64_t>(content - 1, 0) >> shift);
    info.nPage = static_cast<UINT>(std::max<int64_t>(page, 0) >> shift);
    info.nPos = static_cast<int>(offset >> shift);
    SetScrollInfo(window, bar, &info, TRUE);
}

void showScrollPosition(HWND window, int bar, int64_t content, int64_t offset) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = static_cast<int>(offset >> barShift(content));
    SetScrollInfo(window, bar, &info, TRUE);
}

void moveContent(HWND window, int64_t dx, int64_t dy, int32_t extent) {
    if (std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy) >= extent) {
        InvalidateRect(window, nullptr, FALSE);
        return;
    }
    ScrollWindowEx(window, static_cast<int>(dx), static_cast<int>(dy), nullptr, nullptr, nullptr, nullptr,
                   SW_INVALIDATE);
}
