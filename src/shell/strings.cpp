#include "shell/strings.h"

#include <cstring>

char* DupString(const char* text) {
    if (!text) return nullptr;
    size_t length = std::strlen(text);
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}

char* FileNameOfPath(const char* path) {
    if (!path) return nullptr;
    const char* separator = std::strrchr(path, '\\');
    return DupString(separator ? separator + 1 : path);
}

char* FilterFromText(const char* text) {
    char* filter = DupString(text);
    for (char* c = filter; c && *c; ++c) {
        if (*c == '|') *c = 0;
    }
    return filter;
}
