#include "cli/template_text.h"

#include <cstdio>

#include "templates/template.h"

namespace {

constexpr size_t kMaxCaption = 255;  // what a template file can hold

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// Reads one possibly escaped byte at `at`; false for a malformed escape.
bool takeByte(const std::string& line, size_t& at, char* byte) {
    if (line[at] != '\\') {
        *byte = line[at++];
        return true;
    }
    if (at + 1 < line.size() && line[at + 1] == '\\') {
        *byte = '\\';
        at += 2;
        return true;
    }
    if (at + 3 < line.size() && line[at + 1] == 'x' && isHexDigit(line[at + 2]) && isHexDigit(line[at + 3])) {
        *byte = static_cast<char>(hexValue(line[at + 2]) * 16 + hexValue(line[at + 3]));
        at += 4;
        return true;
    }
    return false;
}

std::string lineError(int number, const char* what) {
    return "line " + std::to_string(number) + ": " + what;
}

bool parseRow(const std::string& line, int number, Template* templ, std::string* error) {
    size_t at = 0;
    char code[4];
    for (char& c : code) {
        if (at >= line.size()) {
            *error = lineError(number, "a row starts with a code of exactly four characters");
            return false;
        }
        if (!takeByte(line, at, &c)) {
            *error = lineError(number, "malformed escape in the code (use \\xHH or \\\\)");
            return false;
        }
    }
    std::string caption;
    if (at < line.size()) {
        if (line[at] != ' ') {
            *error = lineError(number, "the code must be followed by one space and the caption");
            return false;
        }
        for (++at; at < line.size();) {
            char c;
            if (!takeByte(line, at, &c)) {
                *error = lineError(number, "malformed escape in the caption (use \\xHH or \\\\)");
                return false;
            }
            caption += c;
        }
    }
    if (caption.size() > kMaxCaption) {
        *error = lineError(number, "the caption is longer than 255 characters");
        return false;
    }
    if (caption.find('\0') != std::string::npos) {
        *error = lineError(number, "a caption cannot hold a zero byte");
        return false;
    }
    if (!templ->appendField(code, caption.c_str())) {
        *error = lineError(number, "out of memory");
        return false;
    }
    return true;
}

void appendEscaped(std::string& out, unsigned char c) {
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02x", c);
    out += escape;
}

}  // namespace

bool parseTemplateText(const std::string& text, Template* templ, std::string* error,
                       std::vector<int>* rowLines) {
    int number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (!parseRow(line, number, templ, error)) return false;
        if (rowLines) rowLines->push_back(number);
    }
    return true;
}

std::string codeText(const char code[4]) {
    std::string out;
    for (int k = 0; k < 4; ++k) {
        unsigned char c = static_cast<unsigned char>(code[k]);
        bool plain = c > 0x20 && c < 0x7F && c != '\\' && !(k == 0 && c == '#');
        if (plain) {
            out += static_cast<char>(c);
        } else {
            appendEscaped(out, c);
        }
    }
    return out;
}

std::string templateToText(const Template& templ) {
    std::string out;
    for (int32_t i = 0; i < templ.fieldCount; ++i) {
        const TemplateField* field = templ.fields[i];
        out += codeText(field->code);
        // A saved caption holds at most 255 characters; the text says what the file holds.
        std::string caption(field->caption);
        if (caption.size() > kMaxCaption) caption.resize(kMaxCaption);
        if (!caption.empty()) out += ' ';
        for (size_t k = 0; k < caption.size(); ++k) {
            unsigned char c = static_cast<unsigned char>(caption[k]);
            bool trailingSpace = c == ' ' && k + 1 == caption.size();
            if (c < 0x20 || c >= 0x7F || c == '\\' || trailingSpace) {
                appendEscaped(out, c);
            } else {
                out += static_cast<char>(c);
            }
        }
        out += '\n';
    }
    return out;
}
