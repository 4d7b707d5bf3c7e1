#include "document/case_match.h"

#include <cctype>
#include <cstring>

#include "fieldtypes/byte_order.h"
#include "shell/number_text.h"

namespace {

bool isSeparator(char c) {
    return c == ',' || std::isspace(static_cast<unsigned char>(c));
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
        uint64_t number;
        bool tooBig = false;
        if (!parseNumberText(start, static_cast<size_t>(at - start), &number, &tooBig) && tooBig)
            return false;
    }
}
