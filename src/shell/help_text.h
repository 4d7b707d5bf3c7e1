#pragma once
// The program's own documents (markdown) as the help window shows them: headings, paragraphs,
// fixed-width lines (code blocks and tables, as written) and links within the document.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

enum class HelpBlockKind { Heading, Paragraph, Fixed };

// A link's text inside its block's text, and the heading it goes to.
struct HelpLink {
    size_t start;
    size_t length;
    std::string anchor;
};

struct HelpBlock {
    HelpBlockKind kind;
    int level;           // 1 to 6 for a heading
    std::string text;    // inline marks taken out; a paragraph's lines joined by spaces
    std::string anchor;  // a heading's, as the links name it
    std::vector<HelpLink> links;
};

std::vector<HelpBlock> parseHelpText(const std::string& markdown);

// The name links give a heading: lower case, punctuation dropped, spaces as hyphens.
std::string headingAnchor(const std::string& heading);

// Where a text of one font breaks into lines no wider than width (a word wider than that gets a line
// of its own): the start of each line; spaces at a break are dropped.
std::vector<size_t> wrapText(const std::string& text, int width,
                             const std::function<int(const char* text, size_t length)>& measure);
