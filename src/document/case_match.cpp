#include "document/case_match.h"

#include <cctype>
#include <cstring>

#include "fieldtypes/byte_order.h"

namespace {

bool isSeparator(char c) {
    return c == ',' || std::isspace(static_cast<unsigned char>(c));
}

// The number a token spells, as 64 bits (a negative one in two's complement); false when it is none.
bool parseNumber(const char* token, size_t length, uint64_t* number) {
    bool negative = length > 0 && (token[0] == '-' || token[0] == '+');
    if (negative) {
        negative = token[0] == '-';
        ++token;
        --length;
    }
    int base = 10;
    if (length > 0 && token[0] == '$') {
        base = 16;
        ++token;
        --length;
    } else if (length > 1 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        base = 16;
        token += 2;
        length -= 2;
    }
    if (length == 0) return false;
    uint64_t value = 0;
    for (size_t i = 0; i < length; ++i) {
        int c = std::tolower(static_cast<unsigned char>(token[i]));
        int digit = std::isdigit(c) ? c - '0' : (base == 16 && c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    *number = negative ? ~value + 1 : value;
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
        } else if (parseNumber(start, length, &number) &&
                   (number == key || number == static_cast<uint64_t>(byteorder::signExtend(key, width)))) {
            return CaseMatch::Value;
        }
    }
    return hasDefault ? CaseMatch::Default : CaseMatch::None;
}
