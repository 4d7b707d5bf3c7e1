#pragma once
// Handle types shared by the engine and the windows. On Windows they are the Win32 handles
// themselves; elsewhere they point at the stand-ins of the POSIX halves.
#include <cstdint>

namespace platform {

using Window = void*;      // HWND
using Dc = void*;          // HDC
using Font = void*;        // HFONT
using Pen = void*;         // HPEN
using Brush = void*;       // HBRUSH
using FileHandle = void*;  // HANDLE

// Same layout as the Win32 RECT.
struct Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

}  // namespace platform
