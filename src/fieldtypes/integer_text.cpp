#include "fieldtypes/integer_text.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>

#include "fieldtypes/byte_order.h"

Presentation presentationOf(FieldCode code, const char* widthSuffix) {
    static const struct {
        char letter;
        Presentation presentation;
    } kLetters[] = {{'D', Presentation::Signed},
                    {'F', Presentation::Signed},
                    {'U', Presentation::Unsigned},
                    {'H', Presentation::Hex}};
    for (const auto& entry : kLetters) {
        char upper[4] = {entry.letter, widthSuffix[0], widthSuffix[1], widthSuffix[2]};
        FieldCode upperCode = fieldCodeOf(upper);
        if (code == upperCode || code == (upperCode | 0x20202020u)) return entry.presentation;
    }
    return Presentation::Unknown;
}

void formatInteger(Presentation presentation, int width, uint64_t value, char* text, size_t size) {
    switch (presentation) {
        case Presentation::Signed:
            std::snprintf(text, size, "%" PRId64, byteorder::signExtend(value, width));
            break;
        case Presentation::Unsigned:
            std::snprintf(text, size, "%" PRIu64, value);
            break;
        case Presentation::Hex:
            std::snprintf(text, size, "$%.*" PRIx64, width * 2, value);
            break;
        case Presentation::Unknown:
            std::snprintf(text, size, "unknown");
            break;
    }
}

static int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

bool parseClamped(const char* text, int base, int64_t minimum, int64_t maximum, int64_t* number) {
    const char* at = text;
    while (std::isspace(static_cast<unsigned char>(*at))) ++at;
    bool negative = *at == '-';
    if (*at == '-' || *at == '+') ++at;
    if (base == 16) {
        // "$" is how hexadecimal values are shown, so the shown text reads back unchanged.
        if (*at == '$') {
            ++at;
        } else if (at[0] == '0' && (at[1] == 'x' || at[1] == 'X') && digitValue(at[2]) < 16) {
            at += 2;
        }
    }
    const char* digits = at;
    // The magnitude saturates at 2^63, which is just enough for the most negative number.
    const uint64_t limit = negative ? static_cast<uint64_t>(INT64_MAX) + 1 : static_cast<uint64_t>(INT64_MAX);
    uint64_t magnitude = 0;
    for (int digit; (digit = digitValue(*at)) < base; ++at) {
        if (magnitude > (limit - digit) / base) {
            magnitude = limit;
        } else {
            magnitude = magnitude * base + digit;
        }
    }
    if (at == digits) return false;
    while (std::isspace(static_cast<unsigned char>(*at))) ++at;
    if (*at != '\0') return false;
    int64_t value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    *number = value < minimum ? minimum : value > maximum ? maximum : value;
    return true;
}
