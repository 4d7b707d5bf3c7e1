#pragma once
// Bytes spelled briefly for tables of cases: pairs of hexadecimal digits, 'quoted characters', and
// "*N" after a byte for N of it in all ("02 'hi' FF*8").
#include <string>
#include <vector>

namespace testsupport {

using Bytes = std::vector<unsigned char>;

inline Bytes bytesOf(const std::string& text) {
    Bytes bytes;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\'') {
            while (text[++at] != '\'') bytes.push_back(static_cast<unsigned char>(text[at]));
        } else if (text[at] == '*') {
            size_t digits = 0;
            bytes.insert(bytes.end(), std::stoul(text.substr(at + 1), &digits) - 1, bytes.back());
            at += digits;
        } else if (text[at] != ' ') {
            bytes.push_back(static_cast<unsigned char>(std::stoi(text.substr(at++, 2), nullptr, 16)));
        }
    }
    return bytes;
}

}  // namespace testsupport
