#include "cli/template_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "templates/template.h"

namespace {

std::vector<std::string> rowsOf(const Template& templ) {
    std::vector<std::string> rows;
    for (int32_t i = 0; i < templ.fieldCount; ++i) {
        rows.push_back(std::string(templ.fields[i]->code, 4) + "|" + templ.fields[i]->caption);
    }
    return rows;
}

TEST(TemplateText, ParsesRowsCommentsAndEscapes) {
    Template templ;
    std::string error;
    ASSERT_TRUE(
        parseTemplateText("# a comment\n\nDWRD Width\r\nLSTC\nPSTR Name \\x28x\\x29 \\\\\n"
                          "\\x00\\x01ab tail space\\x20\nOCNT",
                          &templ, &error))
        << error;
    EXPECT_EQ(rowsOf(templ), (std::vector<std::string>{"DWRD|Width", "LSTC|", "PSTR|Name (x) \\",
                                                       std::string("\0\1ab|tail space ", 16), "OCNT|"}));
}

TEST(TemplateText, MalformedRowsNameTheirLine) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"DWRD ok\nDWR\n", "line 2: a row starts with a code of exactly four characters"},
        {"DWRDx\n", "line 1: the code must be followed by one space and the caption"},
        {"\n\nDW\\x4 x\n", "line 3: malformed escape in the code (use \\xHH or \\\\)"},
        {"DWRD bad \\q\n", "line 1: malformed escape in the caption (use \\xHH or \\\\)"},
        {"DWRD a\\x00b\n", "line 1: a caption cannot hold a zero byte"},
    };
    for (const Case& c : cases) {
        Template templ;
        std::string error;
        EXPECT_FALSE(parseTemplateText(c.text, &templ, &error)) << c.text;
        EXPECT_EQ(error, c.message) << c.text;
    }
    Template templ;
    std::string error;
    EXPECT_FALSE(parseTemplateText("PSTR " + std::string(256, 'c'), &templ, &error));
    EXPECT_EQ(error, "line 1: the caption is longer than 255 characters");
    EXPECT_TRUE(parseTemplateText("PSTR " + std::string(255, 'c'), &templ, &error));
}

// Whatever a template file holds, decompiling and compiling it again gives the same bytes.
TEST(TemplateText, DecompileThenCompileKeepsEveryByte) {
    testsupport::TempDir dir;
    testsupport::Bytes original;
    auto record = [&original](const std::string& caption, const std::string& code) {
        original.push_back(static_cast<unsigned char>(caption.size()));
        original.insert(original.end(), caption.begin(), caption.end());
        original.insert(original.end(), code.begin(), code.end());
    };
    record("Width", "DWRD");
    record("", std::string("\0\0\0\0", 4));
    record("line\nbreak\ttab\\slash", "#ABC");
    record("trailing  ", "a b ");
    record(std::string("\xe9t\xe9", 3), std::string("\x7f\x80\xff\\", 4));
    dir.write("in.tmpl", original);

    Template loaded;
    ASSERT_EQ(loaded.load(dir.path("in.tmpl").c_str()), 0);
    std::string text = templateToText(loaded);
    Template compiled;
    std::string error;
    ASSERT_TRUE(parseTemplateText(text, &compiled, &error)) << error << "\n" << text;
    ASSERT_EQ(compiled.save(dir.path("out.tmpl").c_str()), 0);
    EXPECT_EQ(dir.read("out.tmpl"), original) << text;
}

}  // namespace
