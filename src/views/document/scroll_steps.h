#pragma once
// The arithmetic both scroll directions share: where a scroll bar request or a wheel turn takes the
// offset, keeping the offset within the content, and showing content of up to 63 bits of pixels or
// lines on a scroll bar that counts 31.
#include <windows.h>

#include <cstdint>

// 0 up to the offset that shows the end of the content at the end of the page.
int64_t clampOffset(int64_t wanted, int64_t content, int64_t page);

// Content taller than a scroll bar's range is counted on the bar in units of 1 << barShift(content),
// the range, the page and the position alike, so that the thumb keeps its size and its ends.
int barShift(int64_t content);

// Line and page steps (exact, whatever the bar's unit), the ends, and the thumb, whose position is
// read at its full 32 bits and scaled up to the content.
int64_t scrollRequestTarget(HWND window, int bar, int request, int64_t offset, int64_t content, int32_t line,
                            int32_t page);

// Pixels to scroll for a wheel turn, in the direction of a positive delta; turns too small for a
// step wait in rest. perNotchSetting asks the system how many lines one notch scrolls.
int64_t wheelDistance(int& rest, int delta, UINT perNotchSetting, int32_t line, int32_t page);

// Range 0 to content - 1 with the page and the offset; a bar without room to scroll is disabled,
// not hidden.
void showScrollRange(HWND window, int bar, int64_t content, int32_t page, int64_t offset);
void showScrollPosition(HWND window, int bar, int64_t content, int64_t offset);

// Moves what is on the window by (dx, dy) and has the uncovered part painted; extent is the
// window's size in the direction moved.
void moveContent(HWND window, int64_t dx, int64_t dy, int32_t extent);
