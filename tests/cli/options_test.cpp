#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool parse(std::vector<std::string> words, Options* options, std::string* error) {
    words.insert(words.begin(), "sondrix-cli");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    return parseOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(CommandLine, DumpAndEditOptions) {
    Options options;
    std::string error;
    ASSERT_TRUE(parse({"edit", "-t", "bmp", "--templates", "lib", "--set", "3=a=b", "--insert", "7",
                       "--delete", "2", "-o", "out.bin", "in.bin"},
                      &options, &error))
        << error;
    EXPECT_EQ(options.command, "edit");
    EXPECT_EQ(options.templateName, "bmp");
    EXPECT_EQ(options.templatesDir, "lib");
    EXPECT_EQ(options.output, "out.bin");
    EXPECT_EQ(options.operands, std::vector<std::string>{"in.bin"});
    ASSERT_EQ(options.edits.size(), 3u);
    EXPECT_EQ(options.edits[0].kind, Edit::Set);
    EXPECT_EQ(options.edits[0].row, 3);
    EXPECT_EQ(options.edits[0].text, "a=b");
    EXPECT_EQ(options.edits[1].kind, Edit::Insert);
    EXPECT_EQ(options.edits[1].row, 7);
    EXPECT_EQ(options.edits[2].kind, Edit::Delete);

    Options dump;
    ASSERT_TRUE(parse({"dump", "-T", "x.tmpl", "--json", "f"}, &dump, &error));
    EXPECT_TRUE(dump.json);
    EXPECT_EQ(dump.templateFile, "x.tmpl");
    EXPECT_EQ(dump.templatesDir, "TMPL");
}

TEST(CommandLine, MalformedCommandLinesAreExplained) {
    struct Case {
        std::vector<std::string> words;
        const char* error;
    } cases[] = {
        {{}, "no command given"},
        {{"dump", "-t"}, "-t needs a value"},
        {{"edit", "--set", "3"}, "--set takes ROW=TEXT"},
        {{"edit", "--set", "0=x"}, "--set takes a row number from 1, not \"0\""},
        {{"edit", "--insert", "two"}, "--insert takes a row number from 1, not \"two\""},
        {{"edit", "--delete"}, "--delete needs a value"},
        {{"dump", "--verbose"}, "unknown option --verbose"},
    };
    for (const Case& c : cases) {
        Options options;
        std::string error;
        EXPECT_FALSE(parse(c.words, &options, &error));
        EXPECT_EQ(error, c.error);
    }
}

}  // namespace
