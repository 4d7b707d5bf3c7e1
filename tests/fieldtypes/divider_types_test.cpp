#include <gtest/gtest.h>

#include "fieldtypes/engine_fixture.h"
#include "fieldtypes/field_harness.h"
#include "platform/recording_surface.h"

namespace {

struct DividerTypes : EngineFixture {};

TEST_F(DividerTypes, TakesNoBytesHoldsNoValueAndCannotBeEdited) {
    for (const char* code : {"DVDR", "dvdr"}) {
        FieldHarness divider(code);
        EXPECT_NE(divider.value(), nullptr);
        EXPECT_EQ(divider.read({0x12, 0x34}), 0);
        int64_t result = -1;
        EXPECT_TRUE(divider.written(&result).empty());
        EXPECT_EQ(result, 0);
        EXPECT_EQ(divider.size(), 0);
        EXPECT_EQ(divider.edit(), 0);
        EXPECT_EQ(divider.setText("x"), 0);
        EXPECT_EQ(queryscript::asked(), 0);
    }
}

TEST_F(DividerTypes, CaptionEndsFourPixelsBeforeTheEdgeAndTheLineTwelveBeforeTheCaption) {
    platform::RecordingSurface surface;
    FieldHarness divider("DVDR", "Header");
    divider.draw(surface, {0, 26, 300, 39}, 16, 300);
    ASSERT_EQ(surface.texts.size(), 1u);
    EXPECT_EQ(surface.texts[0].text, "Header");
    EXPECT_EQ(surface.texts[0].x, 296);
    EXPECT_EQ(surface.texts[0].y, 26);
    EXPECT_EQ(surface.texts[0].align, platform::kAlignRight);
    EXPECT_EQ(surface.texts[0].font, fntNormal);
    ASSERT_EQ(surface.lines.size(), 1u);
    const platform::DrawnLine& line = surface.lines[0];
    EXPECT_EQ(line.pen, penDivider);
    EXPECT_EQ(line.x1, 16);
    EXPECT_EQ(line.y1, 32);
    EXPECT_EQ(line.x2, 300 - widthIn(fntNormal, "Header") - 16);
    EXPECT_EQ(line.y2, 32);
}

TEST_F(DividerTypes, TheLineRunsFromTheIndentToTwelvePixelsBeforeTheCaptionEvenBackwards) {
    const struct {
        const char* caption;
        int indent;
        int clientRight;
        int lineEnd;
    } cases[] = {
        {"", 4, 200, 184},  // only the line, ending 16 pixels before the edge
        {"A long caption", 40, 50, 50 - widthIn(fntNormal, "A long caption") - 16},  // narrower than both
    };
    for (const auto& c : cases) {
        platform::RecordingSurface surface;
        FieldHarness divider("dvdr", c.caption);
        divider.draw(surface, {0, 0, c.clientRight, 13}, c.indent, c.clientRight);
        ASSERT_EQ(surface.lines.size(), 1u) << c.caption;
        EXPECT_EQ(surface.lines[0].x1, c.indent) << c.caption;
        EXPECT_EQ(surface.lines[0].x2, c.lineEnd) << c.caption;
        EXPECT_EQ(surface.lines[0].y1, 6) << c.caption;
    }
}

}  // namespace
