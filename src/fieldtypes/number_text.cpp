#include "fieldtypes/number_text.h"

#include <cinttypes>
#include <cstdio>

namespace {

constexpr uint64_t kLargest = INT64_MAX;  // what expressions can hold
constexpr unsigned char kBase256Mark = 0x80;
constexpr uint64_t kShownCharacters = 32;

bool isTerminator(unsigned char c) {
    return c == 0 || c == ' ';
}

NumberText noNumber() {
    return NumberText{NumberForm::NotNumber, 0, 0};
}

NumberText readBase256(const unsigned char* bytes, uint64_t length) {
    if (bytes[0] != kBase256Mark) return noNumber();
    uint64_t value = 0;
    for (uint64_t i = 1; i < length; ++i) {
        if (value > kLargest >> 8) return noNumber();
        value = value << 8 | bytes[i];
    }
    return NumberText{NumberForm::Base256, value, length - 1};
}

}  // namespace

NumberText readNumberText(const unsigned char* bytes, uint64_t length, bool octal) {
    if (octal && length > 0 && bytes[0] & 0x80) return readBase256(bytes, length);
    const unsigned base = octal ? 8 : 10;
    uint64_t at = 0;
    while (at < length && bytes[at] == ' ') ++at;
    const uint64_t firstDigit = at;
    uint64_t value = 0;
    for (; at < length && bytes[at] >= '0' && bytes[at] < '0' + base; ++at) {
        const unsigned digit = bytes[at] - '0';
        if (value > (kLargest - digit) / base) return noNumber();
        value = value * base + digit;
    }
    const uint64_t span = at;
    for (; at < length; ++at) {
        if (!isTerminator(bytes[at])) return noNumber();
    }
    if (span > firstDigit) return NumberText{NumberForm::Digits, value, span};
    return NumberText{NumberForm::Blank, 0, length > 0 ? length - 1 : 0};
}

uint64_t largestNumber(const NumberText& field, bool octal) {
    if (field.form == NumberForm::NotNumber) return 0;
    const uint64_t base = field.form == NumberForm::Base256 ? 256 : octal ? 8 : 10;
    uint64_t largest = 0;
    for (uint64_t i = 0; i < field.span; ++i) {
        if (largest > (kLargest - (base - 1)) / base) return kLargest;
        largest = largest * base + (base - 1);
    }
    return largest;
}

void writeNumberText(unsigned char* bytes, const NumberText& field, uint64_t value, bool octal) {
    if (field.form == NumberForm::Base256) {
        for (uint64_t i = field.span; i > 0; --i, value >>= 8) bytes[i] = static_cast<unsigned char>(value);
        return;
    }
    const unsigned base = octal ? 8 : 10;
    for (uint64_t i = field.span; i > 0; --i, value /= base)
        bytes[i - 1] = static_cast<unsigned char>('0' + value % base);
}

std::string octalText(uint64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%" PRIo64, value == 0 ? "" : "0", value);
    return text;
}

std::string decimalAndOctal(uint64_t value, bool octal) {
    std::string text = std::to_string(value);
    return octal ? text + " (" + octalText(value) + ")" : text;
}

std::string numberTextShown(const unsigned char* bytes, uint64_t length, bool octal) {
    const NumberText field = readNumberText(bytes, length, octal);
    char text[64];
    switch (field.form) {
        case NumberForm::Blank:
            return "";
        case NumberForm::Base256:
            std::snprintf(text, sizeof text, "%" PRIu64 " (base 256)", field.value);
            return text;
        case NumberForm::Digits:
            return decimalAndOctal(field.value, octal);
        case NumberForm::NotNumber:
            break;
    }
    uint64_t end = length;
    while (end > 0 && isTerminator(bytes[end - 1])) --end;
    std::string shown = "not a number: \"";
    for (uint64_t i = 0; i < end && i < kShownCharacters; ++i)
        shown += bytes[i] >= 0x20 && bytes[i] < 0x7F ? static_cast<char>(bytes[i]) : '.';
    return shown + (end > kShownCharacters ? "...\"" : "\"");
}
