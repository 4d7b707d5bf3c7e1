// The command-line tool's parts: its options, the rows it prints and the template text it compiles.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "cli/options.h"
#include "document/rows.h"
#include "cli/template_text.h"
#include "document/document_harness.h"
#include "templates/template.h"

namespace {

bool parse(std::vector<std::string> words, Options* options, std::string* error) {
    words.insert(words.begin(), "sondrix-cli");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    return parseOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(CommandLine, DumpAndEditOptions) {
    Options options, dump;
    std::string error;
    ASSERT_TRUE(parse({"edit", "-t", "bmp", "--templates", "lib", "--set", "3=a=b", "--insert", "7",
                       "--delete", "2", "-o", "out.bin", "in.bin"},
                      &options, &error))
        << error;
    EXPECT_TRUE(options.command == "edit" && options.templateName == "bmp" && options.templatesDir == "lib");
    EXPECT_EQ(options.output, "out.bin");
    EXPECT_EQ(options.operands, std::vector<std::string>{"in.bin"});
    std::vector<std::tuple<Edit::Kind, long, std::string>> edits;
    for (const Edit& edit : options.edits) edits.emplace_back(edit.kind, edit.row, edit.text);
    EXPECT_EQ(edits, (decltype(edits){{Edit::Set, 3, "a=b"}, {Edit::Insert, 7, ""}, {Edit::Delete, 2, ""}}));
    ASSERT_TRUE(parse({"dump", "-T", "x.tmpl", "--json", "f"}, &dump, &error));
    EXPECT_TRUE(dump.json && dump.templateFile == "x.tmpl" && dump.templatesDir == "TMPL");
}

TEST(CommandLine, MalformedCommandLinesAreExplained) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "no command given"},
        {{"dump", "-t"}, "-t needs a value"},
        {{"edit", "--set", "3"}, "--set takes ROW=TEXT"},
        {{"edit", "--set", "0=x"}, "--set takes a row number from 1, not \"0\""},
        {{"edit", "--insert", "two"}, "--insert takes a row number from 1, not \"two\""},
        {{"edit", "--delete"}, "--delete needs a value"},
        {{"dump", "--verbose"}, "unknown option --verbose"},
    };
    for (const auto& [words, message] : cases) {
        Options options;
        std::string error;
        EXPECT_FALSE(parse(words, &options, &error));
        EXPECT_EQ(error, message);
    }
}

using DocumentRows = DocumentTest;

TEST_F(DocumentRows, OffsetsSizesAndTheTextsTheViewDraws) {
    // Sixteen bytes after the rows fill a rest row's preview: nothing is left to elide.
    Document* document = open("DWRD:Width DVDR:Names BZCT:Count LSTC:Item PSTR:Name hwrd:Flags LSTE uqwd:Big",
                              bytesOf("12 34 01 02 'hi' 0A 00 00 FF FF 07 00*7 41*16"));
    std::vector<std::string> shown;
    std::vector<RowShape> shapes;
    visitRows(document, [&](const Row& row) {
        shown.push_back(std::to_string(row.offset) + "+" + std::to_string(row.size) + " d" +
                        std::to_string(row.depth) + " " + row.caption + "=" + row.value +
                        (row.itemIndex >= 0 ? " #" + std::to_string(row.itemIndex) : ""));
        shapes.push_back(row.kind);
    });
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "0+2 d0 Width=4660", "2+0 d0 Names=", "2+1 d0 Count=2", "3+0 d0 Item=[0] #0",
                         "3+3 d1 Name=hi", "6+2 d1 Flags=$000a", "8+0 d0 Item=[1] #1",
                         "8+1 d1 Name=", "9+2 d1 Flags=$ffff", "11+0 d0 LSTE=[end]", "11+8 d0 Big=7",
                         "19+16 d0 16 more bytes=41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41  "
                         "AAAAAAAAAAAAAAAA"}));
    EXPECT_TRUE(shapes[1] == RowShape::Divider && shapes[2] == RowShape::Count &&
                shapes[9] == RowShape::ListEnd);

    // A key name's bytes as they stand, where the view draws dots; strings' bytes likewise.
    document = open("KEYB KNAM:Tag CASE:* PSTR:Name KEYE", bytesOf("00 41 FF 7F 03 E9 00 0A"));
    std::string values;
    visitRows(document, [&](const Row& row) { values += row.caption + "=" + row.value + "|"; });
    EXPECT_EQ(values, std::string("Tag=\0A\xff\x7f|*=|Name=\xe9\0\n|", 21));
}

std::vector<std::string> rowsOf(const Template& templ) {
    std::vector<std::string> rows;
    for (int32_t i = 0; i < templ.fieldCount; ++i)
        rows.push_back(std::string(templ.fields[i]->code, 4) + "|" + templ.fields[i]->caption);
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
    // A text, and the error it gives; none when it is good.
    const std::pair<std::string, const char*> cases[] = {
        {"DWRD ok\nDWR\n", "line 2: a row starts with a code of exactly four characters"},
        {"DWRDx\n", "line 1: the code must be followed by one space and the caption"},
        {"\n\nDW\\x4 x\n", "line 3: malformed escape in the code (use \\xHH or \\\\)"},
        {"DWRD bad \\q\n", "line 1: malformed escape in the caption (use \\xHH or \\\\)"},
        {"DWRD a\\x00b\n", "line 1: a caption cannot hold a zero byte"},
        {"PSTR " + std::string(256, 'c'), "line 1: the caption is longer than 255 characters"},
        {"PSTR " + std::string(255, 'c'), nullptr},
    };
    for (const auto& [text, message] : cases) {
        Template templ;
        std::string error;
        EXPECT_EQ(parseTemplateText(text, &templ, &error), !message) << text;
        EXPECT_EQ(error, message ? message : "") << text;
    }
}

// Whatever a template file holds, decompiling and compiling it again gives the same bytes.
TEST(TemplateText, DecompileThenCompileKeepsEveryByte) {
    testsupport::TempDir dir;
    const std::string original = std::string("\5WidthDWRD\0\0\0\0\0", 15) + "\24line\nbreak\ttab\\slash#ABC" +
                                 "\12trailing  a b " + "\3\xe9t\xe9\x7f\x80\xff\\";
    dir.write("in.tmpl", original);
    Template loaded, compiled;
    ASSERT_EQ(loaded.load(dir.path("in.tmpl").c_str()), 0);
    std::string text = templateToText(loaded), error;
    ASSERT_TRUE(parseTemplateText(text, &compiled, &error)) << error << "\n" << text;
    ASSERT_EQ(compiled.save(dir.path("out.tmpl").c_str()), 0);
    EXPECT_EQ(dir.text("out.tmpl"), original) << text;
}

}  // namespace
