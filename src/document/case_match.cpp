#include "document/case_match.h"

#include <cctype>
#include <cstring>

#include "fieldtypes/byte_order.h"
#include "shell/number_text.h"

namespace {

bool isSeparator(char c) {
    return c == ',' || std::isspace(static_cast<unsigned char>(c));
}

// Spelled as a number is: a sign, "$" or "0x" allowed, then only digits of its base.
bool spelledAsNumber(const char* token, size_t length) {
    size_t at = length > 0 && (token[0] == '-' || token[0] == '+') ? 1 : 0;
    bool hex = false;
    if (at < length && token[at] == '$') {
        hex = true;
        ++at;
    } else if (at + 1 < length && token[at] == '0' && (token[at + 1] == 'x' || token[at + 1] == 'X')) {
        hex = true;
        at += 2;
    }
    if (at == length) return false;
    for (; at < length; ++at) {
        unsigned char c = static_cast<unsigned char>(token[at]);
        if (!(hex ? std::isxdigit(c) : std::isdigit(c))) return false;
    }
    return true;
}

}  // namespace

CaseMatch matchCase(const char* caption, const unsigned char* keyBytes, int width, bool bigEndian) {
    uint64_t key = byteorder::fromBytes(keyBytes, width, bigEndian);
    bool hasDefault = false;
    const char* at = caption;
    for (;;) {
        while (*at && isSeparator(*at)) ++at;
        if (!*at || *at == ':') break;
        const char* start = at;
        if (*at == '\'') {
            const char* close = std::strchr(at + 1, '\'');
            if (!close) break;
            size_t length = static_cast<size_t>(close - at - 1);
            if (length == static_cast<size_t>(width) && std::memcmp(at + 1, keyBytes, length) == 0) {
                return CaseMatch::Value;
            }
            at = close + 1;
            continue;
        }
        while (*at && !isSeparator(*at) && *at != ':') ++at;
        size_t length = static_cast<size_t>(at - start);
        uint64_t number;
        if (length == 1 && *start == '*') {
            hasDefault = true;
        } else if (parseNumberText(start, length, &number) &&
                   (number == key || number == static_cast<uint64_t>(byteorder::signExtend(key, width)))) {
            return CaseMatch::Value;
        }
    }
    return hasDefault ? CaseMatch::Default : CaseMatch::None;
}

bool caseValuesAreValid(const char* caption) {
    for (const char* at = caption;;) {
        while (*at && isSeparator(*at)) ++at;
        if (!*at || *at == ':') return true;
        if (*at == '\'') {
            const char* close = std::strchr(at + 1, '\'');
            if (!close) return true;
            at = close + 1;
            continue;
        }
        const char* start = at;
        while (*at && !isSeparator(*at) && *at != ':') ++at;
        size_t length = static_cast<size_t>(at - start);
        uint64_t number;
        if (spelledAsNumber(start, length) && !parseNumberText(start, length, &number)) return false;
    }
}
