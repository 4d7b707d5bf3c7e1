// The documents as the help window shows them: blocks, inline marks, links to headings, wrapping.
#include "shell/help_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A block as "kind level: text", and each link as "[text->anchor]".
std::vector<std::string> shown(const std::string& markdown) {
    std::vector<std::string> lines;
    for (const HelpBlock& block : parseHelpText(markdown)) {
        const char* kinds[] = {"heading", "paragraph", "fixed"};
        std::string line = std::string(kinds[static_cast<int>(block.kind)]) + " " +
                           std::to_string(block.level) + ": " + block.text;
        if (!block.anchor.empty()) line += " #" + block.anchor;
        for (const HelpLink& link : block.links)
            line += " [" + block.text.substr(link.start, link.length) + "->" + link.anchor + "]";
        lines.push_back(line);
    }
    return lines;
}

TEST(HelpText, BlocksOfTheDocuments) {
    struct Case {
        const char* markdown;
        std::vector<std::string> blocks;
    } cases[] = {
        {"# The guide\n\nTwo lines\nmake one paragraph.\n",
         {"heading 1: The guide #the-guide", "paragraph 0: Two lines make one paragraph."}},
        {"## Rest rows: no byte is `lost`\n",
         {"heading 2: Rest rows: no byte is lost #rest-rows-no-byte-is-lost"}},
        {"See [the rows](#rows-at-an-offset) and [a site](https://example.org).\n",
         {"paragraph 0: See the rows and a site. [the rows->rows-at-an-offset]"}},
        {"- one\n  more\n- two\n1. three\n",
         {"paragraph 0: - one more", "paragraph 0: - two", "paragraph 0: 1. three"}},
        {"```\nUBYT Tag\n\n  *kept*\n```\nafter\n",
         {"fixed 0: UBYT Tag", "fixed 0: ", "fixed 0:   *kept*", "paragraph 0: after"}},
        {"| Key | Does |\n|---|:-:|\n| `F1` | **help** |\n",
         {"fixed 0: | Key | Does |", "fixed 0: | F1 | help |"}},
        {"text [unclosed\r\n", {"paragraph 0: text [unclosed"}},
    };
    for (const Case& c : cases) EXPECT_EQ(shown(c.markdown), c.blocks) << c.markdown;
}

TEST(HelpText, WrapsAtSpacesAndGivesALongWordALineOfItsOwn) {
    auto characters = [](const char*, size_t length) { return static_cast<int>(length); };
    struct Case {
        const char* text;
        int width;
        std::vector<size_t> starts;
    } cases[] = {
        {"one two three", 20, {0}}, {"one two three", 7, {0, 8}},     {"one two three", 6, {0, 4, 8}},
        {"one  two", 3, {0, 5}},    {"unbreakable word", 4, {0, 12}}, {"", 4, {0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrapText(c.text, c.width, characters), c.starts) << c.text << " in " << c.width;
}

}  // namespace
