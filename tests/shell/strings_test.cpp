#include "shell/strings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "shell/ui_strings.h"

namespace {

using Owned = std::unique_ptr<char[]>;

TEST(Strings, NullGivesNull) {
    EXPECT_EQ(DupString(nullptr), nullptr);
    EXPECT_EQ(FileNameOfPath(nullptr), nullptr);
}

TEST(Strings, DupStringCopiesWithTerminator) {
    const char text[] = "hello";
    Owned copy(DupString(text));
    EXPECT_STREQ(copy.get(), "hello");
    EXPECT_NE(copy.get(), text);
}

TEST(Strings, FileNameOfPathTakesWhatFollowsTheLastBackslash) {
    struct Case {
        const char* path;
        const char* name;
    } cases[] = {
        {"D:\\data\\file.bin", "file.bin"},
        {"file.bin", "file.bin"},
        {"D:\\data\\", ""},
        {"dir/unix/style", "dir/unix/style"},  // only the backslash separates
        {"", ""},
    };
    for (const Case& c : cases) {
        Owned name(FileNameOfPath(c.path));
        EXPECT_STREQ(name.get(), c.name) << c.path;
    }
}

TEST(Strings, FilterFromTextTurnsBarsIntoZeroBytes) {
    Owned filter(FilterFromText("*.*||"));
    EXPECT_EQ(std::memcmp(filter.get(), "*.*\0\0", 6), 0);
}

struct UIStringTable : testing::Test {
    void SetUp() override { BuildUIStrings(); }
    void TearDown() override { FreeUIStrings(); }
};

TEST_F(UIStringTable, HoldsTheTextsByIndex) {
    EXPECT_STREQ(UIStrings[usUntitled], "Untitled");
    EXPECT_STREQ(UIStrings[usProductName], "Sondrix");
    EXPECT_STREQ(UIStrings[2], " - Sondrix");
    EXPECT_STREQ(UIStrings[4], "Decimal byte (LE)");
    EXPECT_STREQ(UIStrings[35], "Hex int64 (LE)");
    EXPECT_STREQ(UIStrings[usDividerName], "Divider");
    EXPECT_STREQ(UIStrings[49], "64-bit string (LE)");
    EXPECT_STREQ(UIStrings[usFileFilter], "*.*||");
}

TEST_F(UIStringTable, EnterValueTitleAndPromptAreSeparateCopies) {
    EXPECT_STREQ(UIStrings[usEnterValueTitle], UIStrings[usEnterValuePrompt]);
    EXPECT_NE(UIStrings[usEnterValueTitle], UIStrings[usEnterValuePrompt]);
    UIStrings[usEnterValueTitle][0] = 'X';
    EXPECT_STREQ(UIStrings[usEnterValuePrompt], "Enter value:");
}

TEST_F(UIStringTable, InvalidTemplateMessageFormats) {
    char text[2000];
    std::snprintf(text, sizeof text, UIStrings[usInvalidTemplateText], 3, "DWRD", "Size");
    EXPECT_STREQ(text,
                 "Cannot open document, because the selected template is invalid. \n\n"
                 "Error on row 3, field DWRD: \"Size\".");
    std::snprintf(text, sizeof text, UIStrings[usVersionLine], "1.0.0.148");
    EXPECT_STREQ(text, "Version: 1.0.0.148");
}

}  // namespace
