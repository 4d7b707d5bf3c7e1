// The built-in integer, string and divider types as the binder and the document view drive them:
// one table per procedure, every code family in each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/document.h"
#include "fieldtypes/engine_fixture.h"
#include "fieldtypes/field_harness.h"
#include "platform/recording_surface.h"
#include "support/debug_capture.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct FieldTypes : EngineFixture {};

Bytes withTail(Bytes head, const std::string& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const std::string kNoValue = "<nothing drawn>";  // what FieldHarness::shown says of a divider

TEST_F(FieldTypes, ReadInTheWidthAndByteOrderOfTheCodeAndShowInItsPresentation) {
    const struct {
        const char* code;
        Bytes bytes;
        int64_t taken;
        std::string shown;
        int64_t size;
    } cases[] = {
        {"DWRD", {0x12, 0x34}, 2, "4660", 2},
        {"dwrd", {0x12, 0x34}, 2, "13330", 2},
        {"HWRD", {0x00, 0x0A}, 2, "$000a", 2},
        {"hwrd", {0x00, 0x0A}, 2, "$0a00", 2},
        {"DBYT", {0xFF}, 1, "-1", 1},
        {"dbyt", {0xFF}, 1, "-1", 1},
        {"FBYT", {0xFF}, 1, "-1", 1},
        {"UBYT", {0xFF}, 1, "255", 1},
        {"HBYT", {0xFF}, 1, "$ff", 1},
        {"DLNG", {0xFF, 0xFF, 0xFF, 0xFE}, 4, "-2", 4},
        {"ULNG", {0xFF, 0xFF, 0xFF, 0xFE}, 4, "4294967294", 4},
        {"HLNG", {0xFF, 0xFF, 0xFF, 0xFE}, 4, "$fffffffe", 4},
        {"flng", {0xFE, 0xFF, 0xFF, 0xFF}, 4, "-2", 4},
        {"DQWD", {0, 0, 0, 1, 0, 0, 0, 2}, 8, "4294967298", 8},
        {"HQWD", {0, 0, 0, 1, 0, 0, 0, 2}, 8, "$0000000100000002", 8},
        {"dqwd", {2, 0, 0, 0, 1, 0, 0, 0}, 8, "4294967298", 8},
        {"DQWD", Bytes(8, 0xFF), 8, "-1", 8},
        {"UQWD", Bytes(8, 0xFF), 8, "18446744073709551615", 8},
        {"HQWD", Bytes(8, 0xFF), 8, "$ffffffffffffffff", 8},
        {"uwrd", {0x34, 0x12}, 2, "4660", 2},
        // A file that ends early: words keep the missing byte zero, longer values stay 0.
        {"DLNG", {0x12, 0x34, 0x56}, 3, "0", 4},
        {"DWRD", {0x12}, 1, "4608", 2},
        {"dwrd", {0x12}, 1, "18", 2},
        {"UQWD", {1, 2, 3, 4, 5, 6, 7}, 7, "0", 8},
        {"HBYT", {}, 0, "$00", 1},
        {"PSTR", withTail({3}, "ABC"), 3, "ABC", 4},
        {"pstr", withTail({3}, "ABC"), 3, "ABC", 4},
        {"PSTR", withTail({0xC8}, std::string(200, 'x')), 200, std::string(200, 'x'), 201},
        {"WSTR", withTail({0, 2}, "hi"), 2, "hi", 4},
        {"wstr", withTail({2, 0}, "hi"), 2, "hi", 4},
        {"LSTR", {0, 0, 0, 0}, 0, "", 4},
        {"QSTR", withTail({0, 0, 0, 0, 0, 0, 0, 1}, "A"), 1, "A", 9},
        {"qstr", withTail({1, 0, 0, 0, 0, 0, 0, 0}, "A"), 1, "A", 9},
        // Data that ends inside the bytes or the prefix holds no string.
        {"PSTR", withTail({4}, "AB"), kResultPastEnd, "", 1},
        {"WSTR", {2, 0}, kResultPastEnd, "", 2},
        {"LSTR", {}, kResultPastEnd, "", 4},
        // A divider takes no bytes and holds no value.
        {"DVDR", {0x12, 0x34}, 0, kNoValue, 0},
        {"dvdr", {0x12, 0x34}, 0, kNoValue, 0},
    };
    for (const auto& c : cases) {
        FieldHarness field(c.code);
        ASSERT_NE(field.value(), nullptr) << c.code;
        EXPECT_EQ(field.read(c.bytes), c.taken) << c.code;
        EXPECT_EQ(field.shown(), c.shown) << c.code;
        EXPECT_EQ(field.size(), c.size) << c.code;
    }
}

TEST_F(FieldTypes, StringLengthsTheDataDoesNotHoldAreRefusedBeforeTakingMemory) {
    const Bytes hugeLengths[] = {
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},  // 2^64 - 1
        {0x80, 0, 0, 0, 0, 0, 0, 0},                       // 2^63
        {0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0},  // just below 2^63
        {0, 0, 0x10, 0, 0, 0, 0, 0},                       // 16 TiB, more than any memory here
        {0, 0, 0, 0, 0x40, 0, 0, 0, 'A'},                  // 1 GiB where the file has one byte
    };
    for (const Bytes& bytes : hugeLengths) {
        FieldHarness field("QSTR");
        EXPECT_EQ(field.read(bytes), kResultPastEnd);
        EXPECT_EQ(field.size(), 8);  // left empty
    }
}

// Strings of every size class, the largest shared one too, give their bytes back without a complaint.
TEST_F(FieldTypes, StringBytesOfEverySizeAreReleasedWhereTheyCameFrom) {
    testsupport::DebugCapture output;
    for (size_t length : {1, 8, 9, 63, 64, 65, 300}) {
        FieldHarness field("LSTR");
        field.setText(std::string(length, 'a').c_str());
        field.setText("b");
        EXPECT_EQ(field.size(), 5) << length;
    }
    EXPECT_EQ(output.text(), "");
}

// Integers are read and written back; strings are set from text and written with their prefix.
TEST_F(FieldTypes, WriteInTheByteOrderOfTheCodeAndCountWhatWasWritten) {
    const struct {
        const char* code;
        const char* text;  // nullptr: the value read from the bytes
        Bytes bytes;
    } cases[] = {
        {"DWRD", nullptr, {0x12, 0x34}},
        {"dwrd", nullptr, {0x34, 0x12}},
        {"HQWD", nullptr, {0, 0, 0, 1, 0, 0, 0, 2}},
        {"hqwd", nullptr, {2, 0, 0, 0, 1, 0, 0, 0}},
        {"ULNG", nullptr, {0xDE, 0xAD, 0xBE, 0xEF}},
        {"fbyt", nullptr, {0x80}},
        {"PSTR", "ABC", withTail({3}, "ABC")},
        {"WSTR", "hi", withTail({0, 2}, "hi")},
        {"lstr", "hi", withTail({2, 0, 0, 0}, "hi")},
        {"QSTR", "", {0, 0, 0, 0, 0, 0, 0, 0}},
        {"qstr", "A", withTail({1, 0, 0, 0, 0, 0, 0, 0}, "A")},  // a 64-bit prefix cuts nothing
        {"DVDR", nullptr, {}},
    };
    for (const auto& c : cases) {
        FieldHarness field(c.code);
        if (c.text) {
            EXPECT_EQ(field.setText(c.text), 1) << c.code;
        } else {
            field.read(c.bytes);
        }
        int64_t result = -1;
        EXPECT_EQ(field.written(&result), c.bytes) << c.code;
        EXPECT_EQ(result, static_cast<int64_t>(c.bytes.size())) << c.code;
        EXPECT_EQ(field.size(), static_cast<int64_t>(c.bytes.size())) << c.code;
    }
}

TEST_F(FieldTypes, EnteredTextIsParsedInTheBaseOfThePresentationAndClampedToTheWidth) {
    const struct {
        const char* code;
        const char* text;
        int accepted;
        const char* shown;
    } cases[] = {
        {"DBYT", "300", 1, "127"},
        {"DBYT", "-300", 1, "-128"},
        {"DBYT", "letters", 1, "0"},
        {"DBYT", "  42abc", 1, "42"},
        {"HBYT", "0x1F", 1, "$1f"},
        {"HBYT", "1f", 1, "$1f"},
        {"HBYT", "$1f", 1, "$1f"},
        {"HWRD", "-5", 1, "$0000"},
        {"UWRD", "-5", 1, "0"},
        {"UWRD", "70000", 1, "65535"},
        {"ULNG", "4294967295", 1, "4294967295"},
        {"ULNG", "5000000000", 1, "4294967295"},
        {"DLNG", "-99999999999999999999999", 1, "-2147483648"},
        {"dlng", "+2147483647", 1, "2147483647"},
        {"hlng", "0xg", 1, "$00000000"},
        // 64-bit values and dividers take no text.
        {"hqwd", "5", 0, "$0000000000000000"},
        {"DVDR", "x", 0, kNoValue.c_str()},
    };
    for (const auto& c : cases) {
        FieldHarness field(c.code);
        EXPECT_EQ(field.setText(c.text), c.accepted) << c.code << " " << c.text;
        EXPECT_EQ(field.shown(), c.shown) << c.code << " " << c.text;
    }
}

// The dialog proposes the shown text (a string up to its first zero byte, under the row caption) and
// the answer is stored as entered text.
TEST_F(FieldTypes, EditingAsksWithTheShownTextAndStoresTheAnswerOrKeepsTheValueOnCancel) {
    const std::string z300(300, 'z');
    const struct {
        const char* code;
        Bytes bytes;
        const char* answer;  // nullptr: cancel
        int result;
        const char* question;  // nullptr: nothing asked
        std::string shown;
        int64_t size;
    } cases[] = {
        {"HWRD", {0xBE, 0xEF}, "$beef", 1, "Enter value:|Enter value:|$beef", "$beef", 2},
        {"HWRD", {0xBE, 0xEF}, "12", 1, "Enter value:|Enter value:|$beef", "$0012", 2},
        {"DWRD", {0x12, 0x34}, nullptr, 0, "Enter value:|Enter value:|4660", "4660", 2},
        {"hqwd", {}, "5", 0, nullptr, "$0000000000000000", 8},
        {"PSTR", withTail({5}, std::string("ab\0cd", 5)), "ab", 1, "Enter value:|Name|ab", "ab", 3},
        {"PSTR", withTail({3}, "ABC"), nullptr, 0, "Enter value:|Name|ABC", "ABC", 4},
        {"PSTR", {0}, z300.c_str(), 1, "Enter value:|Name|", z300.substr(0, 255), 256},  // what the prefix
                                                                                         // holds
        {"WSTR", {0, 0}, z300.c_str(), 1, "Enter value:|Name|", z300, 302},
        {"dvdr", {}, "x", 0, nullptr, kNoValue, 0},
    };
    for (const auto& c : cases) {
        queryscript::reset();
        FieldHarness field(c.code, "Name");
        field.read(c.bytes);
        if (c.answer) {
            queryscript::answer(c.answer);
        } else {
            queryscript::cancel();
        }
        EXPECT_EQ(field.edit(), c.result) << c.code;
        EXPECT_EQ(queryscript::asked(), c.question ? 1 : 0) << c.code;
        EXPECT_EQ(queryscript::lastQuestion(), c.question ? c.question : "") << c.code;
        EXPECT_EQ(field.shown(), c.shown) << c.code;
        EXPECT_EQ(field.size(), c.size) << c.code;
    }
}

TEST_F(FieldTypes, CaptionIsDrawnBoldAtTheIndentAndTheValueTwelvePixelsAfterIt) {
    const struct {
        const char* code;
        const char* caption;
        Bytes bytes;
        platform::Rect row;
        int indent;
        const char* value;
        platform::Font valueFont;
    } cases[] = {
        {"DWRD", "Width", {0x00, 0x2A}, {0, 26, 400, 39}, 16, "42", fntNormal},
        {"UQWD", "Big", Bytes(8, 0), {0, 0, 400, 13}, 4, "0", fntBold},  // 64-bit values are drawn bold
        {"PSTR", "Tag", withTail({3}, "a\tb"), {0, 13, 400, 26}, 28, "a\tb", fntNormal},  // bytes unchanged
    };
    for (const auto& c : cases) {
        platform::RecordingSurface surface;
        FieldHarness field(c.code, c.caption);
        field.read(c.bytes);
        field.draw(surface, c.row, c.indent);
        ASSERT_EQ(surface.texts.size(), 2u) << c.code;
        const platform::DrawnText& caption = surface.texts[0];
        const platform::DrawnText& value = surface.texts[1];
        EXPECT_EQ(caption.text, c.caption);
        EXPECT_EQ(caption.x, c.indent) << c.code;
        EXPECT_EQ(caption.y, c.row.top) << c.code;
        EXPECT_EQ(caption.font, fntBold) << c.code;
        EXPECT_EQ(caption.align, platform::kAlignLeftTop) << c.code;
        EXPECT_TRUE(caption.transparent) << c.code;
        EXPECT_EQ(value.text, c.value) << c.code;
        EXPECT_EQ(value.x, c.indent + widthIn(fntBold, c.caption) + 12) << c.code;
        EXPECT_EQ(value.y, c.row.top) << c.code;
        EXPECT_EQ(value.font, c.valueFont) << c.code;
    }
}

// The line runs from the indent to twelve pixels before the caption, even backwards when the
// window is narrower than both.
TEST_F(FieldTypes, DividerCaptionEndsFourPixelsBeforeTheEdgeAndTheLineTwelveBeforeTheCaption) {
    const struct {
        const char* code;
        const char* caption;
        int top;
        int indent;
        int clientRight;
    } cases[] = {
        {"DVDR", "Header", 26, 16, 300},
        {"dvdr", "", 0, 4, 200},  // only the line, ending 16 pixels before the edge
        {"dvdr", "A long caption", 0, 40, 50},
    };
    for (const auto& c : cases) {
        platform::RecordingSurface surface;
        FieldHarness divider(c.code, c.caption);
        divider.draw(surface, {0, c.top, c.clientRight, c.top + 13}, c.indent, c.clientRight);
        if (*c.caption) {
            ASSERT_EQ(surface.texts.size(), 1u) << c.caption;
            EXPECT_EQ(surface.texts[0].text, c.caption);
            EXPECT_EQ(surface.texts[0].x, c.clientRight - 4) << c.caption;
            EXPECT_EQ(surface.texts[0].y, c.top) << c.caption;
            EXPECT_EQ(surface.texts[0].align, platform::kAlignRight) << c.caption;
            EXPECT_EQ(surface.texts[0].font, fntNormal) << c.caption;
        }
        ASSERT_EQ(surface.lines.size(), 1u) << c.caption;
        const platform::DrawnLine& line = surface.lines[0];
        EXPECT_EQ(line.pen, penDivider) << c.caption;
        EXPECT_EQ(line.x1, c.indent) << c.caption;
        EXPECT_EQ(line.x2, c.clientRight - widthIn(fntNormal, c.caption) - 16) << c.caption;
        EXPECT_EQ(line.y1, c.top + 6) << c.caption;
        EXPECT_EQ(line.y2, c.top + 6) << c.caption;
    }
}

}  // namespace
