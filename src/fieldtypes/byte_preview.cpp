#include "fieldtypes/byte_preview.h"

#include <cstdio>

int formatBytePreview(const unsigned char* bytes, int count, bool more, char* text) {
    int at = 0;
    for (int i = 0; i < count; ++i) at += std::snprintf(text + at, 4, "%02x ", bytes[i]);
    if (more) at += std::snprintf(text + at, 5, "... ");
    text[at++] = ' ';
    for (int i = 0; i < count; ++i) {
        unsigned char c = bytes[i];
        text[at++] = c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '.';
    }
    return at;
}
