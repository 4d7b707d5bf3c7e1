#include <gtest/gtest.h>

#include <vector>

#include "fieldtypes/engine_fixture.h"
#include "fieldtypes/field_harness.h"
#include "platform/recording_surface.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct IntegerTypes : EngineFixture {};

struct ReadCase {
    const char* code;
    Bytes bytes;
    int64_t taken;
    const char* shown;
};

TEST_F(IntegerTypes, ReadsAndShowsEveryWidthPresentationAndByteOrder) {
    const ReadCase cases[] = {
        {"DWRD", {0x12, 0x34}, 2, "4660"},
        {"dwrd", {0x12, 0x34}, 2, "13330"},
        {"HWRD", {0x00, 0x0A}, 2, "$000a"},
        {"hwrd", {0x00, 0x0A}, 2, "$0a00"},
        {"DBYT", {0xFF}, 1, "-1"},
        {"dbyt", {0xFF}, 1, "-1"},
        {"FBYT", {0xFF}, 1, "-1"},
        {"UBYT", {0xFF}, 1, "255"},
        {"HBYT", {0xFF}, 1, "$ff"},
        {"DLNG", {0xFF, 0xFF, 0xFF, 0xFE}, 4, "-2"},
        {"ULNG", {0xFF, 0xFF, 0xFF, 0xFE}, 4, "4294967294"},
        {"HLNG", {0xFF, 0xFF, 0xFF, 0xFE}, 4, "$fffffffe"},
        {"flng", {0xFE, 0xFF, 0xFF, 0xFF}, 4, "-2"},
        {"DQWD", {0, 0, 0, 1, 0, 0, 0, 2}, 8, "4294967298"},
        {"HQWD", {0, 0, 0, 1, 0, 0, 0, 2}, 8, "$0000000100000002"},
        {"dqwd", {2, 0, 0, 0, 1, 0, 0, 0}, 8, "4294967298"},
        {"DQWD", Bytes(8, 0xFF), 8, "-1"},
        {"UQWD", Bytes(8, 0xFF), 8, "18446744073709551615"},
        {"HQWD", Bytes(8, 0xFF), 8, "$ffffffffffffffff"},
        {"uwrd", {0x34, 0x12}, 2, "4660"},
        // A file that ends early: words keep the missing byte zero, longer values stay 0.
        {"DLNG", {0x12, 0x34, 0x56}, 3, "0"},
        {"DWRD", {0x12}, 1, "4608"},
        {"dwrd", {0x12}, 1, "18"},
        {"UQWD", {1, 2, 3, 4, 5, 6, 7}, 7, "0"},
        {"HBYT", {}, 0, "$00"},
    };
    for (const ReadCase& c : cases) {
        FieldHarness field(c.code);
        EXPECT_EQ(field.read(c.bytes), c.taken) << c.code;
        EXPECT_EQ(field.shown(), c.shown) << c.code;
    }
}

TEST_F(IntegerTypes, WritesInTheByteOrderOfTheCodeAndReadsBackTheSameBytes) {
    const struct {
        const char* code;
        Bytes bytes;
    } cases[] = {
        {"DWRD", {0x12, 0x34}},
        {"dwrd", {0x34, 0x12}},
        {"HQWD", {0, 0, 0, 1, 0, 0, 0, 2}},
        {"hqwd", {2, 0, 0, 0, 1, 0, 0, 0}},
        {"ULNG", {0xDE, 0xAD, 0xBE, 0xEF}},
        {"fbyt", {0x80}},
    };
    for (const auto& c : cases) {
        FieldHarness field(c.code);
        field.read(c.bytes);
        int64_t result = 0;
        EXPECT_EQ(field.written(&result), c.bytes) << c.code;
        EXPECT_EQ(result, static_cast<int64_t>(c.bytes.size())) << c.code;
        EXPECT_EQ(field.size(), static_cast<int64_t>(c.bytes.size())) << c.code;
    }
}

TEST_F(IntegerTypes, EnteredTextIsParsedInTheBaseOfThePresentationAndClampedToTheWidth) {
    const struct {
        const char* code;
        const char* text;
        const char* shown;
    } cases[] = {
        {"DBYT", "300", "127"},
        {"DBYT", "-300", "-128"},
        {"DBYT", "letters", "0"},
        {"DBYT", "  42abc", "42"},
        {"HBYT", "0x1F", "$1f"},
        {"HBYT", "1f", "$1f"},
        {"HBYT", "$1f", "$1f"},
        {"HWRD", "-5", "$0000"},
        {"UWRD", "-5", "0"},
        {"UWRD", "70000", "65535"},
        {"ULNG", "4294967295", "4294967295"},
        {"ULNG", "5000000000", "4294967295"},
        {"DLNG", "-99999999999999999999999", "-2147483648"},
        {"dlng", "+2147483647", "2147483647"},
        {"hlng", "0xg", "$00000000"},
    };
    for (const auto& c : cases) {
        FieldHarness field(c.code);
        EXPECT_EQ(field.setText(c.text), 1) << c.code << " " << c.text;
        EXPECT_EQ(field.shown(), c.shown) << c.code << " " << c.text;
    }
}

TEST_F(IntegerTypes, EditingProposesTheShownTextAndStoresTheAnswer) {
    FieldHarness field("HWRD");
    field.read({0xBE, 0xEF});
    queryscript::answer("$beef");  // the proposal confirmed unchanged keeps the value
    EXPECT_EQ(field.edit(), 1);
    EXPECT_EQ(queryscript::lastQuestion(), "Enter value:|Enter value:|$beef");
    EXPECT_EQ(field.shown(), "$beef");

    queryscript::answer("12");
    EXPECT_EQ(field.edit(), 1);
    EXPECT_EQ(field.shown(), "$0012");
}

TEST_F(IntegerTypes, CancellingAnEditKeepsTheValue) {
    FieldHarness field("DWRD");
    field.read({0x12, 0x34});
    queryscript::cancel();
    EXPECT_EQ(field.edit(), 0);
    EXPECT_EQ(field.shown(), "4660");
}

TEST_F(IntegerTypes, SixtyFourBitValuesAreNeitherEditedNorSetFromText) {
    FieldHarness field("hqwd");
    queryscript::answer("5");
    EXPECT_EQ(field.edit(), 0);
    EXPECT_EQ(queryscript::asked(), 0);
    EXPECT_EQ(field.setText("5"), 0);
    EXPECT_EQ(field.shown(), "$0000000000000000");
    EXPECT_EQ(field.size(), 8);
}

TEST_F(IntegerTypes, CaptionIsDrawnBoldAtTheIndentAndTheValueTwelvePixelsAfterIt) {
    platform::RecordingSurface surface;
    FieldHarness word("DWRD", "Width");
    word.read({0x00, 0x2A});
    word.draw(surface, {0, 26, 400, 39}, 16);
    ASSERT_EQ(surface.texts.size(), 2u);
    EXPECT_EQ(surface.texts[0].text, "Width");
    EXPECT_EQ(surface.texts[0].x, 16);
    EXPECT_EQ(surface.texts[0].y, 26);
    EXPECT_EQ(surface.texts[0].font, fntBold);
    EXPECT_EQ(surface.texts[0].align, platform::kAlignLeftTop);
    EXPECT_TRUE(surface.texts[0].transparent);
    EXPECT_EQ(surface.texts[1].text, "42");
    EXPECT_EQ(surface.texts[1].x, 16 + widthIn(fntBold, "Width") + 12);
    EXPECT_EQ(surface.texts[1].y, 26);
    EXPECT_EQ(surface.texts[1].font, fntNormal);

    surface.clear();
    FieldHarness quad("UQWD", "Big");
    quad.draw(surface, {0, 0, 400, 13}, 4);
    ASSERT_EQ(surface.texts.size(), 2u);
    EXPECT_EQ(surface.texts[1].x, 4 + widthIn(fntBold, "Big") + 12);
    EXPECT_EQ(surface.texts[1].font, fntBold);  // 64-bit values are drawn bold
}

}  // namespace
