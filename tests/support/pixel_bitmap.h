#pragma once
// A 32-bit bitmap, top row first, whose pixels a test reads directly after drawing into it, and a
// window's client area read through one.
#ifdef _WIN32
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace testsupport {

// Selected into nothing yet; the caller deletes it. *pixels holds 0x00RRGGBB per pixel.
inline HBITMAP createPixelBitmap(HDC dc, int width, int height, uint32_t** pixels) {
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(pixels), nullptr, 0);
}

inline uint32_t rgbOf(COLORREF colour) {
    return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}
inline uint32_t colourOf(int systemColour) {
    return rgbOf(GetSysColor(systemColour));
}

// A window's client area as painted by paint (by default through WM_PRINTCLIENT), in 0x00RRGGBB.
class Snapshot {
  public:
    explicit Snapshot(HWND window, const std::function<void(HDC)>& paint = nullptr) {
        RECT area;
        GetClientRect(window, &area);
        width_ = area.right;
        HDC dc = CreateCompatibleDC(nullptr);
        uint32_t* pixels = nullptr;
        HBITMAP bitmap = createPixelBitmap(dc, width_, area.bottom, &pixels);
        HGDIOBJ old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, width_, area.bottom, BLACKNESS);
        paint ? paint(dc)
              : static_cast<void>(
                    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT));
        GdiFlush();
        pixels_.assign(pixels, pixels + width_ * area.bottom);
        DeleteObject(SelectObject(dc, old));
        DeleteDC(dc);
    }

    uint32_t at(int x, int y) const { return pixels_[y * width_ + x] & 0xFFFFFF; }
    int countOtherThan(uint32_t colour, RECT area) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += at(x, y) != colour;
        return count;
    }
    int countDifferent(const Snapshot& other, RECT area) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += at(x, y) != other.at(x, y);
        return count;
    }
    // The leftmost (or rightmost) column of the rectangle with a pixel other than the window colour;
    // -1 when there is none.
    int ink(RECT area, bool leftmost = true) const {
        for (int i = 0; i < area.right - area.left; ++i) {
            const int x = leftmost ? area.left + i : area.right - 1 - i;
            if (countOtherThan(colourOf(COLOR_WINDOW), {x, area.top, x + 1, area.bottom}) > 0) return x;
        }
        return -1;
    }
    int width() const { return width_; }
    int height() const { return width_ ? static_cast<int>(pixels_.size()) / width_ : 0; }

  private:
    std::vector<uint32_t> pixels_;
    int width_;
};

}  // namespace testsupport
#endif
