#include "shell/number_text.h"

#include <cctype>
#include <cstring>

bool parseNumberText(const char* token, size_t length, uint64_t* number, bool* tooBig) {
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
    bool overflow = false;
    for (size_t i = 0; i < length; ++i) {
        int c = std::tolower(static_cast<unsigned char>(token[i]));
        int digit = std::isdigit(c) ? c - '0' : (base == 16 && c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        overflow =
            overflow || value > (UINT64_MAX - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base);
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    overflow = overflow || (negative && value > uint64_t{1} << 63);
    if (tooBig) *tooBig = overflow;
    if (overflow) return false;
    *number = negative ? ~value + 1 : value;
    return true;
}

bool parseOffsetText(const char* text, int64_t* offset) {
    while (std::isspace(static_cast<unsigned char>(*text))) ++text;
    size_t length = std::strlen(text);
    while (length > 0 && std::isspace(static_cast<unsigned char>(text[length - 1]))) --length;
    if (length == 0 || *text == '-' || *text == '+') return false;
    uint64_t number = UINT64_MAX;
    bool tooBig = false;
    if (!parseNumberText(text, length, &number, &tooBig) && !tooBig) return false;
    *offset = number > static_cast<uint64_t>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(number);
    return true;
}
