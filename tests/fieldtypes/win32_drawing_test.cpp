// The Win32 half of drawing: rows drawn into a real device context land where the recording
// surface says they do.
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include "fieldtypes/field_harness.h"
#include "support/pixel_bitmap.h"

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 20;
constexpr uint32_t kWhite = 0xFFFFFF;

// A white 32-bit bitmap in a memory device context, with its pixels readable.
class Canvas {
  public:
    Canvas() {
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = testsupport::createPixelBitmap(dc_, kWidth, kHeight, &pixels_);
        old_ = SelectObject(dc_, bitmap_);
        PatBlt(dc_, 0, 0, kWidth, kHeight, WHITENESS);
        SetTextColor(dc_, RGB(0, 0, 0));
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    uint32_t at(int x, int y) const {  // 0x00RRGGBB
        GdiFlush();
        return pixels_[y * kWidth + x] & 0xFFFFFF;
    }
    // The first column in [from, to) with a pixel that is not white, or -1.
    int firstInkedColumn(int from, int to) const {
        for (int x = from; x < to; ++x)
            for (int y = 0; y < kHeight; ++y)
                if (at(x, y) != kWhite) return x;
        return -1;
    }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* pixels_ = nullptr;
};

using Win32Drawing = EngineFixture;

TEST_F(Win32Drawing, CaptionStartsAtTheIndentAndTheValueTwelvePixelsAfterIt) {
    Canvas canvas;
    FieldHarness field("DWRD", "Width");
    field.read({0x00, 0x2A});
    const int indent = 16;
    field.draw(canvas.dc(), {0, 0, kWidth, kHeight}, indent, kWidth);
    int captionEnd = indent + widthIn(fntBold, "Width"), valueStart = captionEnd + 12;
    int firstInk = canvas.firstInkedColumn(0, kWidth), valueInk = canvas.firstInkedColumn(valueStart, kWidth);
    EXPECT_TRUE(firstInk >= indent && firstInk <= indent + 2) << firstInk;
    EXPECT_EQ(canvas.firstInkedColumn(captionEnd + 1, valueStart), -1);
    EXPECT_TRUE(valueInk >= valueStart && valueInk <= valueStart + 2) << valueInk;
}

TEST_F(Win32Drawing, DividerLineEndsTwelvePixelsBeforeTheRightAlignedCaption) {
    Canvas canvas;
    FieldHarness divider("DVDR", "End");
    const int indent = 4;
    divider.draw(canvas.dc(), {0, 0, kWidth, kHeight}, indent, kWidth);
    int captionStart = kWidth - 4 - widthIn(fntNormal, "End"), middle = kHeight / 2;
    const uint32_t lineColour = 0xC8D0D4;  // RGB(200, 208, 212) as 0x00RRGGBB
    EXPECT_EQ(canvas.at(indent, middle), lineColour);
    EXPECT_EQ(canvas.at(captionStart - 13, middle), lineColour);
    EXPECT_EQ(canvas.at(captionStart - 12, middle), kWhite);  // the end point is not drawn
    EXPECT_EQ(canvas.at(indent - 1, middle), kWhite);
    EXPECT_NE(canvas.firstInkedColumn(captionStart, kWidth), -1);
    EXPECT_EQ(canvas.firstInkedColumn(kWidth - 3, kWidth), -1);
}

}  // namespace
#endif
