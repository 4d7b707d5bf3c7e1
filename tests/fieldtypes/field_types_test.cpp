// The built-in integer, string and divider types as the binder and the document view drive them:
// one table per procedure, every code family in each.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "document/document.h"
#include "fieldtypes/field_harness.h"
#include "platform/recording_surface.h"
#include "support/bytes.h"
#include "support/debug_capture.h"

using testsupport::bytesOf;

namespace {

using FieldTypes = EngineFixture;

// A value read whole is written back as it was read.
TEST_F(FieldTypes, ReadInTheWidthAndByteOrderOfTheCodeShowInItsPresentationAndWriteBack) {
    const std::string x200(200, 'x'), x600(600, 'x');
    const std::tuple<const char*, std::string, int64_t, std::string, int64_t> cases[] = {
        {"DWRD", "12 34", 2, "4660", 2},
        {"dwrd", "12 34", 2, "13330", 2},
        {"HWRD", "00 0A", 2, "$000a", 2},
        {"hwrd", "00 0A", 2, "$0a00", 2},
        {"DBYT", "FF", 1, "-1", 1},
        {"dbyt", "FF", 1, "-1", 1},
        {"FBYT", "FF", 1, "-1", 1},
        {"fbyt", "80", 1, "-128", 1},
        {"UBYT", "FF", 1, "255", 1},
        {"HBYT", "FF", 1, "$ff", 1},
        {"DLNG", "FF FF FF FE", 4, "-2", 4},
        {"ULNG", "FF FF FF FE", 4, "4294967294", 4},
        {"ULNG", "DE AD BE EF", 4, "3735928559", 4},
        {"HLNG", "FF FF FF FE", 4, "$fffffffe", 4},
        {"flng", "FE FF FF FF", 4, "-2", 4},
        {"DQWD", "00 00 00 01 00 00 00 02", 8, "4294967298", 8},
        {"HQWD", "00 00 00 01 00 00 00 02", 8, "$0000000100000002", 8},
        {"dqwd", "02 00 00 00 01 00 00 00", 8, "4294967298", 8},
        {"hqwd", "02 00 00 00 01 00 00 00", 8, "$0000000100000002", 8},
        {"DQWD", "FF*8", 8, "-1", 8},
        {"UQWD", "FF*8", 8, "18446744073709551615", 8},
        {"HQWD", "FF*8", 8, "$ffffffffffffffff", 8},
        {"uwrd", "34 12", 2, "4660", 2},
        // A file that ends early: words keep the missing byte zero, longer values stay 0.
        {"DLNG", "12 34 56", 3, "0", 4},
        {"DWRD", "12", 1, "4608", 2},
        {"dwrd", "12", 1, "18", 2},
        {"UQWD", "01 02 03 04 05 06 07", 7, "0", 8},
        {"HBYT", "", 0, "$00", 1},
        {"PSTR", "03 'ABC'", 3, "ABC", 4},
        {"pstr", "03 'ABC'", 3, "ABC", 4},
        {"PSTR", "C8 78*200", 200, x200, 201},
        {"WSTR", "00 02 'hi'", 2, "hi", 4},
        {"wstr", "02 00 'hi'", 2, "hi", 4},
        {"LSTR", "00 00 00 00", 0, "", 4},
        {"lstr", "02 00 00 00 'hi'", 2, "hi", 6},
        {"QSTR", "00*7 01 'A'", 1, "A", 9},
        {"qstr", "01 00*7 'A'", 1, "A", 9},  // a 64-bit prefix cuts nothing
        // Data that ends inside the bytes or the prefix holds no string.
        {"PSTR", "04 'AB'", kResultPastEnd, "", 1},
        {"WSTR", "02 00", kResultPastEnd, "", 2},
        {"LSTR", "", kResultPastEnd, "", 4},
        // Lengths the data does not hold are refused before taking memory.
        {"QSTR", "FF*8", kResultPastEnd, "", 8},
        {"QSTR", "80 00*7", kResultPastEnd, "", 8},
        {"QSTR", "7F FF*6 F0", kResultPastEnd, "", 8},        // just below 2^63
        {"QSTR", "00 00 10 00*5", kResultPastEnd, "", 8},     // 16 TiB, more than any memory here
        {"QSTR", "00*4 40 00*3 'A'", kResultPastEnd, "", 8},  // 1 GiB where the file has one byte
        // 24-bit values read whole, like longs.
        {"DTRI", "FF FF FE", 3, "-2", 3},
        {"UTRI", "FF FF FE", 3, "16777214", 3},
        {"HTRI", "01 02 03", 3, "$010203", 3},
        {"htri", "01 02 03", 3, "$030201", 3},
        {"dtri", "00 00 80", 3, "-8388608", 3},
        {"FTRI", "7F FF FF", 3, "8388607", 3},
        {"utri", "01 02", 2, "0", 3},
        // Zero-terminated text: the bytes up to the first zero, which the value keeps.
        {"CSTR", "'abc' 00", 4, "abc", 4},
        {"cstr", "00", 1, "", 1},
        {"CSTR", "'ab' 00 'cd' 00", 3, "ab", 3},
        {"CSTR", "78*600 00", 601, x600, 601},  // longer than a chunk of the scan
        {"CSTR", "'abc'", kResultPastEnd, "", 1},
        {"CSTR", "78*600", kResultPastEnd, "", 1},
        {"cstr", "", kResultPastEnd, "", 1},
        // Variable-length numbers, redundant encodings written back as they were.
        {"ULEB", "E5 8E 26", 3, "624485", 3},
        {"uleb", "7F", 1, "127", 1},
        {"ULEB", "80 00", 2, "0", 2},
        {"ULEB", "FF*9 01", 10, "18446744073709551615", 10},
        {"SLEB", "C0 BB 78", 3, "-123456", 3},
        {"SLEB", "40", 1, "-64", 1},
        {"sleb", "FF 00", 2, "127", 2},
        {"SLEB", "80*9 7F", 10, "-9223372036854775808", 10},
        {"SLEB", "FF*9 00", 10, "9223372036854775807", 10},
        {"UVLQ", "81 00", 2, "128", 2},
        {"uvlq", "FF FF FF 7F", 4, "268435455", 4},
        {"UVLQ", "81 80 80 80 00", 5, "268435456", 5},  // longer than MIDI writes, still read
        {"UVLQ", "80 00", 2, "0", 2},
        {"UVLQ", "81 FF*8 7F", 10, "18446744073709551615", 10},
        // Past 64 bits, more than ten groups, or no last group: the value stays as it was.
        {"ULEB", "80*9 02", kResultUnreadable, "0", 1},
        {"SLEB", "80*9 01", kResultUnreadable, "0", 1},
        {"UVLQ", "82 FF*8 7F", kResultUnreadable, "0", 1},
        {"ULEB", "80*10 00", kResultUnreadable, "0", 1},
        {"uvlq", "80*10000", kResultUnreadable, "0", 1},
        {"ULEB", "80 80", kResultPastEnd, "0", 1},
        // A divider takes no bytes and holds no value.
        {"DVDR", "12 34", 0, "", 0},
        {"dvdr", "", 0, "", 0},
    };
    for (const auto& [code, bytes, taken, shown, size] : cases) {
        FieldHarness field(code);
        ASSERT_NE(field.value(), nullptr) << code;
        EXPECT_EQ(field.read(bytesOf(bytes)), taken) << code;
        EXPECT_EQ(field.shown(), shown) << code;
        EXPECT_EQ(field.size(), size) << code;
        if (taken < 0 || static_cast<int64_t>(bytesOf(bytes).size()) != size) continue;
        int64_t result = -1;
        EXPECT_EQ(field.written(&result), bytesOf(bytes)) << code;
        EXPECT_EQ(result, size) << code;
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

// Strings take the text whole and are written with their prefix; text that is no number of the
// base changes no number.
TEST_F(FieldTypes, EnteredTextIsParsedInTheBaseOfThePresentationAndClampedToTheWidth) {
    const std::tuple<const char*, const char*, int, std::string, const char*> cases[] = {
        {"DBYT", "300", 1, "127", "7F"},
        {"DBYT", "-300", 1, "-128", "80"},
        {"DBYT", "letters", 0, "0", nullptr},
        {"DBYT", "  42abc", 0, "0", nullptr},
        {"DBYT", "", 0, "0", nullptr},
        {"DBYT", "-", 0, "0", nullptr},
        {"DBYT", " 42 ", 1, "42", nullptr},
        {"UBYT", "1f", 0, "0", nullptr},
        {"UBYT", "1a", 0, "0", nullptr},  // a letter past the base is no digit of it
        {"HBYT", "1g", 0, "$00", nullptr},
        {"HBYT", "0x1F", 1, "$1f", nullptr},
        {"HBYT", "1f", 1, "$1f", nullptr},
        {"HBYT", "$1f", 1, "$1f", nullptr},
        {"HWRD", "-5", 1, "$0000", nullptr},
        {"UWRD", "-5", 1, "0", nullptr},
        {"UWRD", "70000", 1, "65535", "FF FF"},
        {"ULNG", "4294967295", 1, "4294967295", nullptr},
        {"ULNG", "5000000000", 1, "4294967295", nullptr},
        {"DLNG", "-99999999999999999999999", 1, "-2147483648", "80 00 00 00"},
        {"dlng", "+2147483647", 1, "2147483647", "FF FF FF 7F"},
        {"hlng", "0xg", 0, "$00000000", nullptr},
        {"hlng", "12abc", 1, "$00012abc", nullptr},
        {"PSTR", "ABC", 1, "ABC", "03 'ABC'"},
        {"WSTR", "hi", 1, "hi", "00 02 'hi'"},
        {"lstr", "hi", 1, "hi", "02 00 00 00 'hi'"},
        {"QSTR", "", 1, "", "00*8"},
        {"qstr", "A", 1, "A", "01 00*7 'A'"},
        {"DTRI", "9000000", 1, "8388607", "7F FF FF"},
        {"DTRI", "-9000000", 1, "-8388608", "80 00 00"},
        {"dtri", "-2", 1, "-2", "FE FF FF"},
        {"UTRI", "-5", 1, "0", "00 00 00"},
        {"utri", "16777216", 1, "16777215", "FF FF FF"},
        {"HTRI", "$abcdef", 1, "$abcdef", "AB CD EF"},
        {"htri", "0x1000000", 1, "$ffffff", "FF FF FF"},
        {"FTRI", "x", 0, "0", nullptr},
        {"CSTR", "abc", 1, "abc", "'abc' 00"},
        {"cstr", "", 1, "", "00"},
        {"ULEB", "624485", 1, "624485", "E5 8E 26"},
        {"ULEB", "18446744073709551615", 1, "18446744073709551615", "FF*9 01"},
        {"ULEB", "99999999999999999999", 1, "18446744073709551615", "FF*9 01"},
        {"ULEB", "-5", 1, "0", "00"},
        {"uleb", "x", 0, "0", "00"},
        {"SLEB", "-123456", 1, "-123456", "C0 BB 78"},
        {"SLEB", "63", 1, "63", "3F"},
        {"SLEB", "64", 1, "64", "C0 00"},
        {"sleb", "-65", 1, "-65", "BF 7F"},
        {"SLEB", "-9223372036854775808", 1, "-9223372036854775808", "80*9 7F"},
        {"UVLQ", "268435455", 1, "268435455", "FF FF FF 7F"},
        {"UVLQ", "128", 1, "128", "81 00"},
        {"UVLQ", "268435456", 0, "0", "00"},  // beyond four groups
        {"UVLQ", "-99999999999999999999", 0, "0", "00"},
        // Past 64 bits of magnitude every width clamps alike.
        {"ULEB", "18446744073709551616", 1, "18446744073709551615", "FF*9 01"},
        {"htri", "$ffffffffffffffffff", 1, "$ffffff", "FF FF FF"},
        {"DTRI", "-99999999999999999999", 1, "-8388608", "80 00 00"},
        {"uvlq", "-1", 0, "0", "00"},
        // 64-bit values take their whole range, and clamp beyond it without overflowing.
        {"hqwd", "5", 1, "$0000000000000005", "05 00*7"},
        {"UQWD", "18446744073709551615", 1, "18446744073709551615", "FF*8"},
        {"UQWD", "18446744073709551616", 1, "18446744073709551615", "FF*8"},
        {"uqwd", "99999999999999999999999999", 1, "18446744073709551615", "FF*8"},
        {"UQWD", "-1", 1, "0", "00*8"},
        {"DQWD", "-9223372036854775808", 1, "-9223372036854775808", "80 00*7"},
        {"DQWD", "-9223372036854775809", 1, "-9223372036854775808", "80 00*7"},
        {"fqwd", "9223372036854775808", 1, "9223372036854775807", "FF*7 7F"},
        {"dqwd", "-1", 1, "-1", "FF*8"},
        {"HQWD", "$ffffffffffffffff", 1, "$ffffffffffffffff", "FF*8"},
        {"HQWD", "0x10000000000000000", 1, "$ffffffffffffffff", "FF*8"},
        {"HQWD", "$fedcba9876543210", 1, "$fedcba9876543210", "FE DC BA 98 76 54 32 10"},
        {"DQWD", "1e3", 0, "0", nullptr},
        // Dividers take no text.
        {"DVDR", "x", 0, "", ""},
    };
    for (const auto& [code, text, accepted, shown, written] : cases) {
        FieldHarness field(code);
        EXPECT_EQ(field.setText(text), accepted) << code << " " << text;
        EXPECT_EQ(field.shown(), shown) << code << " " << text;
        if (!written) continue;
        int64_t result = -1;
        EXPECT_EQ(field.written(&result), bytesOf(written)) << code << " " << text;
        EXPECT_TRUE(result == field.size() && result == static_cast<int64_t>(bytesOf(written).size()))
            << code;
    }
}

// The dialog proposes the shown text (a string up to its first zero byte, under the row caption; a
// number under its caption and range) and the answer is stored as entered text, a string cut to what
// its prefix can count. A number's dialog refuses text that is no number and waits for the next
// answer. No answer cancels; no question, nothing is asked.
TEST_F(FieldTypes, EditingAsksWithTheShownTextAndStoresTheAnswerOrKeepsTheValueOnCancel) {
    const std::string z300(300, 'z');
    const std::tuple<const char*, const char*, std::vector<const char*>, int, const char*, std::string,
                     int64_t>
        cases[] = {
            {"HWRD", "BE EF", {"$beef"}, 1, "Enter value:|Name ($0000 to $ffff)|$beef", "$beef", 2},
            {"HWRD", "BE EF", {"xyz", "12"}, 1, "Enter value:|Name ($0000 to $ffff)|$beef", "$0012", 2},
            {"DWRD", "12 34", {nullptr}, 0, "Enter value:|Name (-32768 to 32767)|4660", "4660", 2},
            {"DWRD", "12 34", {"12abc"}, 0, "Enter value:|Name (-32768 to 32767)|4660", "4660", 2},
            {"ubyt", "07", {"", "abc", "300"}, 1, "Enter value:|Name (0 to 255)|7", "255", 1},
            {"dlng", "00*4", {"-5"}, 1, "Enter value:|Name (-2147483648 to 2147483647)|0", "-5", 4},
            {"hqwd",
             "",
             {"5"},
             1,
             "Enter value:|Name ($0000000000000000 to $ffffffffffffffff)|$0000000000000000",
             "$0000000000000005",
             8},
            {"DQWD",
             "FF*8",
             {"x", "-9223372036854775809"},
             1,
             "Enter value:|Name (-9223372036854775808 to 9223372036854775807)|-1",
             "-9223372036854775808",
             8},
            {"PSTR", "05 'ab' 00 'cd'", {"ab"}, 1, "Enter value:|Name|ab", "ab", 3},
            {"PSTR", "03 'ABC'", {nullptr}, 0, "Enter value:|Name|ABC", "ABC", 4},
            {"PSTR", "00", {z300.c_str()}, 1, "Enter value:|Name|", z300.substr(0, 255), 256},
            {"WSTR", "00 00", {z300.c_str()}, 1, "Enter value:|Name|", z300, 302},
            {"DTRI", "00 00 01", {"-9000000"}, 1, "Enter value:|Name (-8388608 to 8388607)|1", "-8388608", 3},
            {"htri", "", {"1"}, 1, "Enter value:|Name ($000000 to $ffffff)|$000000", "$000001", 3},
            {"CSTR", "'ab' 00", {"xyz"}, 1, "Enter value:|Name|ab", "xyz", 4},
            {"ULEB", "80 00", {"0"}, 1, "Enter value:|Name (0 to 18446744073709551615)|0", "0", 1},
            {"SLEB",
             "7F",
             {"x", "300"},
             1,
             "Enter value:|Name (-9223372036854775808 to 9223372036854775807)|-1",
             "300",
             2},
            {"UVLQ", "00", {"268435456"}, 0, "Enter value:|Name (0 to 268435455)|0", "0", 1},
            {"UVLQ", "00", {"268435456", "200"}, 1, "Enter value:|Name (0 to 268435455)|0", "200", 2},
            {"dvdr", "", {"x"}, 0, nullptr, "", 0},
        };
    for (const auto& [code, bytes, answers, result, question, shown, size] : cases) {
        queryscript::reset();
        FieldHarness field(code, "Name");
        field.read(bytesOf(bytes));
        for (const char* answer : answers) answer ? queryscript::answer(answer) : queryscript::cancel();
        EXPECT_EQ(field.edit(), result) << code;
        EXPECT_EQ(
            std::make_tuple(queryscript::asked(), queryscript::lastQuestion(), field.shown(), field.size()),
            std::make_tuple(question ? 1 : 0, std::string(question ? question : ""), shown, size))
            << code;
    }

    // A caption longer than a template file keeps is asked under whole, its range after it.
    queryscript::reset();
    const std::string z400(400, 'z');
    FieldHarness wide("ubyt", z400.c_str());
    EXPECT_EQ(wide.edit(), 0);
    EXPECT_EQ(queryscript::lastQuestion(), "Enter value:|" + z400 + " (0 to 255)|0");
}

TEST_F(FieldTypes, CaptionIsDrawnBoldAtTheIndentAndTheValueTwelvePixelsAfterIt) {
    const std::tuple<const char*, const char*, const char*, int, int, const char*, platform::Font> cases[] = {
        {"DWRD", "Width", "00 2A", 26, 16, "42", fntNormal},
        {"UQWD", "Big", "00*8", 0, 4, "0", fntNormal},
        {"PSTR", "Tag", "03 'a\tb'", 13, 28, "a\tb", fntNormal},  // bytes unchanged
    };
    for (const auto& [code, caption, bytes, top, indent, value, valueFont] : cases) {
        platform::RecordingSurface surface;
        FieldHarness field(code, caption);
        field.read(bytesOf(bytes));
        field.draw(surface.dc(), {0, top, 400, top + 13}, indent);
        ASSERT_EQ(surface.texts.size(), 2u) << code;
        const platform::DrawnText &first = surface.texts[0], &second = surface.texts[1];
        EXPECT_EQ(std::tie(first.text, first.x, first.y, first.font, first.align, first.transparent),
                  std::make_tuple(std::string(caption), indent, top, fntBold, platform::kAlignLeftTop, true))
            << code;
        EXPECT_EQ(
            std::tie(second.text, second.x, second.y, second.font),
            std::make_tuple(std::string(value), indent + widthIn(fntBold, caption) + 12, top, valueFont))
            << code;
    }
}

// The line runs from the indent to twelve pixels before the caption, even backwards when the
// window is narrower than both; an empty caption leaves the line alone, 16 pixels before the edge.
TEST_F(FieldTypes, DividerCaptionEndsFourPixelsBeforeTheEdgeAndTheLineTwelveBeforeTheCaption) {
    const std::tuple<const char*, const char*, int, int, int> cases[] = {
        {"DVDR", "Header", 26, 16, 300}, {"dvdr", "", 0, 4, 200}, {"dvdr", "A long caption", 0, 40, 50}};
    for (const auto& [code, caption, top, indent, clientRight] : cases) {
        platform::RecordingSurface surface;
        FieldHarness divider(code, caption);
        divider.draw(surface.dc(), {0, top, clientRight, top + 13}, indent, clientRight);
        ASSERT_EQ(surface.texts.size(), 1u) << caption;
        const platform::DrawnText& text = surface.texts[0];
        EXPECT_EQ(
            std::tie(text.text, text.x, text.y, text.align, text.font),
            std::make_tuple(std::string(caption), clientRight - 4, top, platform::kAlignRight, fntNormal));
        ASSERT_EQ(surface.lines.size(), 1u) << caption;
        const platform::DrawnLine& line = surface.lines[0];
        EXPECT_EQ(std::tie(line.pen, line.x1, line.x2, line.y1, line.y2),
                  std::make_tuple(penDivider, indent, clientRight - widthIn(fntNormal, caption) - 16, top + 6,
                                  top + 6))
            << caption;
    }
}

}  // namespace
