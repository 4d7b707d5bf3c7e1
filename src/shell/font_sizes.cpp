#include "shell/font_sizes.h"

#include "shell/settings_file.h"

namespace {

const char* keyOf(FontUse use) {
    return use == FontUse::Rows ? "view:rows-points" : "view:bytes-points";
}

}  // namespace

bool parseFontPoints(const std::string& text, int* points) {
    size_t first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
    if (first == std::string::npos) {
        *points = 0;
        return true;
    }
    int value = 0;
    for (size_t i = first; i <= last; ++i) {
        if (text[i] < '0' || text[i] > '9' || value > kLargestFontPoints) return false;
        value = value * 10 + (text[i] - '0');
    }
    if (value < kSmallestFontPoints || value > kLargestFontPoints) return false;
    *points = value;
    return true;
}

int fontPoints(FontUse use) {
    int points = 0;
    return parseFontPoints(settingOf(settingsFilePath, keyOf(use)), &points) ? points : 0;
}

void chooseFontPoints(FontUse use, int points) {
    storeSetting(settingsFilePath, keyOf(use), points > 0 ? std::to_string(points) : "");
}
