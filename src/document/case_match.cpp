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

namespace {

// Calls visit with each value of the caption as written (quotes included) until it returns true;
// whether one did.
template <typename Visit>
bool anyValue(const char* caption, Visit visit) {
    for (const char* at = caption;;) {
        while (*at && isSeparator(*at)) ++at;
        if (!*at || *at == ':') return false;
        const char* start = at;
        if (*at == '\'') {
            const char* close = std::strchr(at + 1, '\'');
            if (!close) return false;
            at = close + 1;
        } else {
            while (*at && !isSeparator(*at) && *at != ':') ++at;
        }
        if (visit(start, static_cast<size_t>(at - start))) return true;
    }
}

}  // namespace

bool caseKeyBytes(const char* caption, int width, bool bigEndian, unsigned char* bytes) {
    bool first = true;
    bool made = false;
    anyValue(caption, [&](const char* value, size_t length) {
        if (!first) return true;
        first = false;
        uint64_t number;
        if (*value == '\'' && length - 2 == static_cast<size_t>(width)) {
            std::memcpy(bytes, value + 1, length - 2);
            made = true;
        } else if (*value != '\'' && parseNumberText(value, length, &number)) {
            byteorder::toBytes(number, bytes, width, bigEndian);
            made = true;
        }
        return true;
    });
    return made;
}

namespace {

void unquote(const char** text, size_t* length) {
    if (*length >= 2 && **text == '\'' && (*text)[*length - 1] == '\'') {
        ++*text;
        *length -= 2;
    }
}

bool sameIgnoringCase(const char* a, const char* b, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

bool caseIsNamed(const char* caption, const char* text) {
    size_t textLength = std::strlen(text);
    if (const char* label = std::strchr(caption, ':')) {
        ++label;
        while (std::isspace(static_cast<unsigned char>(*label))) ++label;
        size_t length = std::strlen(label);
        while (length > 0 && std::isspace(static_cast<unsigned char>(label[length - 1]))) --length;
        if (length == textLength && sameIgnoringCase(label, text, length)) return true;
    }
    unquote(&text, &textLength);
    return anyValue(caption, [&](const char* value, size_t length) {
        unquote(&value, &length);
        if (length == textLength && std::memcmp(value, text, length) == 0) return true;
        uint64_t a, b;
        return parseNumberText(value, length, &a) && parseNumberText(text, textLength, &b) && a == b;
    });
}
