#include "views/document/scroll_steps.h"

#include <algorithm>

int32_t clampOffset(int64_t wanted, int64_t content, int32_t page) {
    int64_t limit = std::clamp<int64_t>(content - page, 0, INT32_MAX);
    return static_cast<int32_t>(std::clamp<int64_t>(wanted, 0, limit));
}

int64_t scrollRequestTarget(HWND window, int bar, int request, int64_t offset, int32_t line, int32_t page) {
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
            info.fMask = SIF_TRACKPOS;
            if (!GetScrollInfo(window, bar, &info)) return offset;
            return info.nTrackPos;
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

void showScrollRange(HWND window, int bar, int64_t content, int32_t page, int32_t offset) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = static_cast<int>(std::clamp<int64_t>(content - 1, 0, INT32_MAX));
    info.nPage = static_cast<UINT>(std::max(page, 0));
    info.nPos = offset;
    SetScrollInfo(window, bar, &info, TRUE);
}

void showScrollPosition(HWND window, int bar, int32_t offset) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = offset;
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
