#include "shell/strings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "shell/ui_strings.h"

namespace {

using Owned = std::unique_ptr<char[]>;

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
