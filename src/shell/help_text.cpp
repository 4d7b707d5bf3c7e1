#include "shell/help_text.h"

#include <algorithm>
#include <cctype>

namespace {

bool startsWith(const std::string& line, const char* prefix) {
    return line.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool isListItem(const std::string& line) {
    size_t digits = 0;
    while (digits < line.size() && std::isdigit(static_cast<unsigned char>(line[digits]))) ++digits;
    return startsWith(line, "- ") || startsWith(line, "* ") ||
           (digits > 0 && line.compare(digits, 2, ". ") == 0);
}

// A table's line between its head and its body: bars, dashes, colons and spaces only.
bool isTableRule(const std::string& line) {
    return line.find_first_not_of("|-: ") == std::string::npos;
}

// Backticks and asterisks (emphasis) go; links keep their text and, within the document, their heading.
HelpBlock inlineBlock(HelpBlockKind kind, int level, const std::string& source) {
    HelpBlock block{kind, level, {}, {}, {}};
    for (size_t i = 0; i < source.size(); ++i) {
        char c = source[i];
        if (c == '[') {
            size_t close = source.find("](", i);
            size_t end = close == std::string::npos ? close : source.find(')', close);
            if (end != std::string::npos) {
                std::string target = source.substr(close + 2, end - close - 2);
                HelpBlock inner = inlineBlock(kind, level, source.substr(i + 1, close - i - 1));
                if (!target.empty() && target[0] == '#')
                    block.links.push_back({block.text.size(), inner.text.size(), target.substr(1)});
                block.text += inner.text;
                i = end;
                continue;
            }
        }
        if (c == '`') {
            size_t end = source.find('`', i + 1);
            if (end != std::string::npos) {
                block.text += source.substr(i + 1, end - i - 1);
                i = end;
                continue;
            }
        }
        if (c == '*' || (c == '_' && i + 1 < source.size() && source[i + 1] == '_')) {
            if (c == '_') ++i;
            continue;
        }
        block.text += c;
    }
    return block;
}

}  // namespace

std::string headingAnchor(const std::string& heading) {
    std::string anchor;
    for (char c : heading) {
        unsigned char u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '-' || c == '_' || u >= 0x80)
            anchor += static_cast<char>(std::tolower(u));
        if (c == ' ') anchor += '-';
    }
    return anchor;
}

std::vector<HelpBlock> parseHelpText(const std::string& markdown) {
    std::vector<HelpBlock> blocks;
    std::string paragraph;
    auto endParagraph = [&] {
        if (!paragraph.empty()) blocks.push_back(inlineBlock(HelpBlockKind::Paragraph, 0, paragraph));
        paragraph.clear();
    };
    bool inCode = false;
    size_t start = 0;
    while (start < markdown.size()) {
        size_t end = markdown.find('\n', start);
        if (end == std::string::npos) end = markdown.size();
        std::string line = markdown.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (startsWith(line, "```")) {
            endParagraph();
            inCode = !inCode;
        } else if (inCode) {
            blocks.push_back({HelpBlockKind::Fixed, 0, line, {}, {}});
        } else if (startsWith(line, "#")) {
            endParagraph();
            size_t level = line.find_first_not_of('#');
            if (level == std::string::npos) level = line.size();
            HelpBlock heading = inlineBlock(HelpBlockKind::Heading, static_cast<int>(level),
                                            line.substr(std::min(level + 1, line.size())));
            heading.anchor = headingAnchor(heading.text);
            blocks.push_back(heading);
        } else if (startsWith(line, "|")) {
            endParagraph();
            if (!isTableRule(line)) blocks.push_back(inlineBlock(HelpBlockKind::Fixed, 0, line));
        } else if (line.find_first_not_of(' ') == std::string::npos) {
            endParagraph();
        } else {
            if (isListItem(line)) endParagraph();
            paragraph += (paragraph.empty() ? "" : " ") +
                         line.substr(paragraph.empty() ? 0 : line.find_first_not_of(' '));
        }
    }
    endParagraph();
    return blocks;
}

std::vector<size_t> wrapText(const std::string& text, int width,
                             const std::function<int(const char*, size_t)>& measure) {
    std::vector<size_t> starts{0};
    size_t lineStart = 0;
    size_t fitEnd = std::string::npos;  // the end of the last word that fits
    for (size_t at = 0; at <= text.size(); ++at) {
        if (at < text.size() && text[at] != ' ') continue;
        if (measure(text.data() + lineStart, at - lineStart) > width && fitEnd != std::string::npos) {
            lineStart = text.find_first_not_of(' ', fitEnd);
            if (lineStart == std::string::npos) break;
            starts.push_back(lineStart);
            at = lineStart;
            fitEnd = std::string::npos;
            continue;
        }
        fitEnd = at;
    }
    return starts;
}
