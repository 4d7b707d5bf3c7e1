#include "fieldtypes/integer_text.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>

#include "fieldtypes/byte_order.h"
#include "shell/ui_strings.h"

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

bool parseClamped(const char* text, int base, int64_t minimum, uint64_t maximum, uint64_t* number) {
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
    // Past 64 bits every number is beyond each bound anyway.
    uint64_t magnitude = 0;
    for (int digit; (digit = digitValue(*at)) < base; ++at) {
        if (magnitude > (UINT64_MAX - digit) / base) {
            magnitude = UINT64_MAX;
        } else {
            magnitude = magnitude * base + digit;
        }
    }
    if (at == digits) return false;
    while (std::isspace(static_cast<unsigned char>(*at))) ++at;
    if (*at != '\0') return false;
    if (!negative) {
        *number = magnitude > maximum ? maximum : magnitude;
    } else {
        // Unsigned arithmetic: the magnitude of INT64_MIN is no int64_t.
        const uint64_t lowest = 0 - static_cast<uint64_t>(minimum);
        *number = 0 - (magnitude > lowest ? lowest : magnitude);
    }
    return true;
}

// The dialog stays open on text that is no number, rather than storing 0 for it.
const char* refuseNonDecimal(const char* text) {
    uint64_t number;
    return parseClamped(text, 10, INT64_MIN, UINT64_MAX, &number) ? nullptr : UIStrings[usNotDecimalNumber];
}

const char* refuseNonHex(const char* text) {
    uint64_t number;
    return parseClamped(text, 16, INT64_MIN, UINT64_MAX, &number) ? nullptr : UIStrings[usNotHexNumber];
}
