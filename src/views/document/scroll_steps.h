#pragma once
// The arithmetic both scroll directions share: where a scroll bar request or a wheel turn takes the
// offset, and keeping the offset within the content.
#include <windows.h>

#include <cstdint>

// 0 up to the offset that shows the end of the content at the end of the page.
int32_t clampOffset(int64_t wanted, int64_t content, int32_t page);

// Line and page steps, the ends, and the thumb, whose position is read at its full 32 bits.
int64_t scrollRequestTarget(HWND window, int bar, int request, int64_t offset, int32_t line, int32_t page);

// Pixels to scroll for a wheel turn, in the direction of a positive delta; turns too small for a
// step wait in rest. perNotchSetting asks the system how many lines one notch scrolls.
int64_t wheelDistance(int& rest, int delta, UINT perNotchSetting, int32_t line, int32_t page);

// Range 0 to content - 1 with the page and the offset; a bar without room to scroll is disabled,
// not hidden.
void showScrollRange(HWND window, int bar, int64_t content, int32_t page, int32_t offset);
void showScrollPosition(HWND window, int bar, int32_t offset);

// Moves what is on the window by (dx, dy) and has the uncovered part painted; extent is the
// window's size in the direction moved.
void moveContent(HWND window, int64_t dx, int64_t dy, int32_t extent);
