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

// The sign and the magnitude of the one number the text holds, the magnitude saturating at
// limits[negative]. False when the text is not one number.
static bool scanNumber(const char* text, int base, const uint64_t limits[2], bool* negative,
                       uint64_t* magnitude) {
    const char* at = text;
    while (std::isspace(static_cast<unsigned char>(*at))) ++at;
    *negative = *at == '-';
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
    const uint64_t limit = limits[*negative ? 1 : 0];
    *magnitude = 0;
    for (int digit; (digit = digitValue(*at)) < base; ++at) {
        if (*magnitude > (limit - digit) / base) {
            *magnitude = limit;
        } else {
            *magnitude = *magnitude * base + digit;
        }
    }
    if (at == digits) return false;
    while (std::isspace(static_cast<unsigned char>(*at))) ++at;
    return *at == '\0';
}

bool parseClamped(const char* text, int base, int64_t minimum, int64_t maximum, int64_t* number) {
    // 2^63 is just enough for the most negative number.
    const uint64_t limits[2] = {static_cast<uint64_t>(INT64_MAX), static_cast<uint64_t>(INT64_MAX) + 1};
    bool negative;
    uint64_t magnitude;
    if (!scanNumber(text, base, limits, &negative, &magnitude)) return false;
    int64_t value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    *number = value < minimum ? minimum : value > maximum ? maximum : value;
    return true;
}

bool parseUnsignedClamped(const char* text, uint64_t maximum, uint64_t* number) {
    const uint64_t limits[2] = {UINT64_MAX, UINT64_MAX};
    bool negative;
    uint64_t magnitude;
    if (!scanNumber(text, 10, limits, &negative, &magnitude)) return false;
    *number = negative ? 0 : magnitude > maximum ? maximum : magnitude;
    return true;
}

// The dialog stays open on text that is no number, rather than storing 0 for it.
const char* refuseNonDecimal(const char* text) {
    int64_t number;
    return parseClamped(text, 10, INT64_MIN, INT64_MAX, &number) ? nullptr : UIStrings[usNotDecimalNumber];
}

const char* refuseNonHex(const char* text) {
    int64_t number;
    return parseClamped(text, 16, INT64_MIN, INT64_MAX, &number) ? nullptr : UIStrings[usNotHexNumber];
}

// A caption in memory may be longer than a template file keeps, so the text takes the length it needs.
std::string rangePrompt(const char* caption, const char* low, const char* high) {
    std::string text(std::snprintf(nullptr, 0, UIStrings[usValuePrompt], caption, low, high) + 1, '\0');
    text.resize(std::snprintf(text.data(), text.size(), UIStrings[usValuePrompt], caption, low, high));
    return text;
}
