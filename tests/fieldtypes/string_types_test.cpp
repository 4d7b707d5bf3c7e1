#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/document.h"
#include "fieldtypes/engine_fixture.h"
#include "fieldtypes/field_harness.h"
#include "platform/recording_surface.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct StringTypes : EngineFixture {};

Bytes withTail(Bytes head, const std::string& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST_F(StringTypes, ReadsTheLengthPrefixInTheByteOrderOfTheCode) {
    const struct {
        const char* code;
        Bytes bytes;
        int64_t taken;
        std::string text;
        int64_t size;
    } cases[] = {
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
    };
    for (const auto& c : cases) {
        FieldHarness field(c.code);
        EXPECT_EQ(field.read(c.bytes), c.taken) << c.code;
        EXPECT_EQ(field.shown(), c.text) << c.code;
        EXPECT_EQ(field.size(), c.size) << c.code;
    }
}

TEST_F(StringTypes, LengthsTheDataDoesNotHoldAreRefusedBeforeTakingMemory) {
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

TEST_F(StringTypes, WritesThePrefixAndTheBytesAndCountsBoth) {
    const struct {
        const char* code;
        const char* text;
        Bytes bytes;
    } cases[] = {
        {"PSTR", "ABC", withTail({3}, "ABC")},
        {"WSTR", "hi", withTail({0, 2}, "hi")},
        {"lstr", "hi", withTail({2, 0, 0, 0}, "hi")},
        {"QSTR", "", {0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        FieldHarness field(c.code);
        field.setText(c.text);
        int64_t result = 0;
        EXPECT_EQ(field.written(&result), c.bytes) << c.code;
        EXPECT_EQ(result, static_cast<int64_t>(c.bytes.size())) << c.code;
    }
}

TEST_F(StringTypes, EnteredTextIsCutToWhatThePrefixCanHold) {
    std::string text(300, 'z');
    FieldHarness pascal("PSTR");
    FieldHarness word("WSTR");
    queryscript::answer(text);
    queryscript::answer(text);
    EXPECT_EQ(pascal.edit(), 1);
    EXPECT_EQ(word.edit(), 1);
    EXPECT_EQ(pascal.shown(), text.substr(0, 255));
    EXPECT_EQ(word.shown(), text);
}

TEST_F(StringTypes, EditingOffersTheTextUpToItsFirstZeroByteUnderTheRowCaption) {
    FieldHarness field("PSTR", "Name");
    field.read(withTail({5}, std::string("ab\0cd", 5)));
    queryscript::answer("ab");
    EXPECT_EQ(field.edit(), 1);
    EXPECT_EQ(queryscript::lastQuestion(), "Enter value:|Name|ab");
    EXPECT_EQ(field.written(), withTail({2}, "ab"));
}

TEST_F(StringTypes, CancellingAnEditKeepsTheString) {
    FieldHarness field("PSTR");
    field.read(withTail({3}, "ABC"));
    queryscript::cancel();
    EXPECT_EQ(field.edit(), 0);
    EXPECT_EQ(field.shown(), "ABC");
}

TEST_F(StringTypes, TheBytesAreDrawnUnchangedAfterTheBoldCaption) {
    platform::RecordingSurface surface;
    FieldHarness field("PSTR", "Tag");
    field.read(withTail({3}, "a\tb"));
    field.draw(surface, {0, 13, 400, 26}, 28);
    ASSERT_EQ(surface.texts.size(), 2u);
    EXPECT_EQ(surface.texts[0].x, 28);
    EXPECT_EQ(surface.texts[0].font, fntBold);
    EXPECT_EQ(surface.texts[1].text, "a\tb");
    EXPECT_EQ(surface.texts[1].x, 28 + widthIn(fntBold, "Tag") + 12);
    EXPECT_EQ(surface.texts[1].y, 13);
    EXPECT_EQ(surface.texts[1].font, fntNormal);
}

}  // namespace
