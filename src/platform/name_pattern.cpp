#include <cctype>

#include "platform/dir_search.h"

namespace platform {

bool matchesNamePattern(const char* pattern, const char* name) {
    // Iterative matcher with one backtrack point: linear in practice, no recursion on hostile names.
    const char* starPattern = nullptr;
    const char* starName = nullptr;
    while (*name) {
        unsigned char p = static_cast<unsigned char>(*pattern);
        unsigned char n = static_cast<unsigned char>(*name);
        if (p == '*') {
            starPattern = ++pattern;
            starName = name;
        } else if (p != 0 && (p == '?' || std::tolower(p) == std::tolower(n))) {
            ++pattern;
            ++name;
        } else if (starPattern) {
            pattern = starPattern;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (*pattern == '*') ++pattern;
    return *pattern == 0;
}

}  // namespace platform
