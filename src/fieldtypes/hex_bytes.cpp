#include "fieldtypes/hex_bytes.h"

#include <cctype>

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::string hexBytesText(const unsigned char* bytes, size_t count) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(count * 3);
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) text += ' ';
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

// A digit alone between spaces would leave a byte half spelled, so pairs are whole or refused.
int64_t hexBytesCount(const char* text) {
    int64_t count = 0;
    for (const char* at = text;;) {
        while (isSpace(*at)) ++at;
        if (*at == '\0') return count;
        if (hexDigit(at[0]) < 0 || hexDigit(at[1]) < 0) return -1;
        at += 2;
        ++count;
    }
}

void decodeHexBytes(const char* text, unsigned char* bytes) {
    for (const char* at = text; *at;) {
        if (isSpace(*at)) {
            ++at;
            continue;
        }
        *bytes++ = static_cast<unsigned char>(hexDigit(at[0]) << 4 | hexDigit(at[1]));
        at += 2;
    }
}
