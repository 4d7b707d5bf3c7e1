#pragma once
// A 32-bit bitmap, top row first, whose pixels a test reads directly after drawing into it.
#ifdef _WIN32
#include <windows.h>

#include <cstdint>

namespace testsupport {

// Selected into nothing yet; the caller deletes it. *pixels holds 0x00RRGGBB per pixel.
inline HBITMAP createPixelBitmap(HDC dc, int width, int height, uint32_t** pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(pixels), nullptr, 0);
}

}  // namespace testsupport
#endif
