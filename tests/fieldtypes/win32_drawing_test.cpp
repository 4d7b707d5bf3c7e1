// The Win32 half of drawing: rows drawn into a real device context land where the recording
// surface says they do.
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include "fieldtypes/field_harness.h"
#include "support/pixel_bitmap.h"

namespace {

using testsupport::Snapshot;

constexpr int kWidth = 300;
constexpr int kHeight = 20;

// The row drawn over the window colour at the top left of a bitmap as large as the screen (a
// snapshot takes its size from a window).
Snapshot drawn(FieldHarness& field, int indent) {
    return Snapshot(GetDesktopWindow(), [&](HDC dc) {
        RECT row{0, 0, kWidth, kHeight};
        FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));
        field.draw(dc, {0, 0, kWidth, kHeight}, indent, kWidth);
    });
}
// The first column in [from, to) of the row with a pixel other than the window colour, or -1.
int firstInk(const Snapshot& row, int from, int to = kWidth) {
    return row.ink({from, 0, to, kHeight});
}

using Win32Drawing = EngineFixture;

TEST_F(Win32Drawing, CaptionStartsAtTheIndentTheValueTwelvePixelsAfterItAndADividerTwelveBeforeItsCaption) {
    FieldHarness field("DWRD", "Width");
    field.read({0x00, 0x2A});
    const int indent = 16;
    const Snapshot row = drawn(field, indent);
    int captionEnd = indent + widthIn(fntBold, "Width"), valueStart = captionEnd + 12;
    int captionInk = firstInk(row, 0), valueInk = firstInk(row, valueStart);
    EXPECT_TRUE(captionInk >= indent && captionInk <= indent + 2) << captionInk;
    EXPECT_EQ(firstInk(row, captionEnd + 1, valueStart), -1);
    EXPECT_TRUE(valueInk >= valueStart && valueInk <= valueStart + 2) << valueInk;

    FieldHarness divider("DVDR", "End");
    const Snapshot line = drawn(divider, 4);  // its line from x = 4
    int captionStart = kWidth - 4 - widthIn(fntNormal, "End"), middle = kHeight / 2;
    const uint32_t lineColour = 0xC8D0D4, window = testsupport::colourOf(COLOR_WINDOW);
    EXPECT_EQ(line.at(4, middle), lineColour);
    EXPECT_EQ(line.at(captionStart - 13, middle), lineColour);
    EXPECT_EQ(line.at(captionStart - 12, middle), window);  // the end point is not drawn
    EXPECT_EQ(line.at(3, middle), window);
    EXPECT_NE(firstInk(line, captionStart), -1);
    EXPECT_EQ(firstInk(line, kWidth - 3), -1);
}

}  // namespace
#endif
