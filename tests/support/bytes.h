#pragma once
// Bytes spelled briefly for tables of cases: pairs of hexadecimal digits, 'quoted characters', and
// "*N" after a byte for N of it in all ("02 'hi' FF*8").
#include <cstdlib>
#include <string>
#include <vector>

namespace testsupport {

using Bytes = std::vector<unsigned char>;

inline Bytes bytesOf(const std::string& text) {
    Bytes bytes;
    for (size_t at = 0; at < text.size();) {
        if (text[at] == ' ') {
            ++at;
        } else if (text[at] == '\'') {
            size_t end = text.find('\'', at + 1);
            bytes.insert(bytes.end(), text.begin() + static_cast<long>(at) + 1,
                         text.begin() + static_cast<long>(end));
            at = end + 1;
        } else if (text[at] == '*') {
            char* end = nullptr;
            long count = std::strtol(text.c_str() + at + 1, &end, 10);
            bytes.insert(bytes.end(), static_cast<size_t>(count - 1), bytes.back());
            at = static_cast<size_t>(end - text.c_str());
        } else {
            bytes.push_back(static_cast<unsigned char>(std::stoi(text.substr(at, 2), nullptr, 16)));
            at += 2;
        }
    }
    return bytes;
}

}  // namespace testsupport
