#include "shell/recent_files.h"

#include <algorithm>
#include <cctype>

#include "shell/settings_file.h"

namespace {

std::string keyOf(int position) {
    return "recent:" + std::to_string(position + 1);
}

bool samePath(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::vector<RecentFile> withoutRecent(std::vector<RecentFile> list, const std::string& path) {
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const RecentFile& entry) { return samePath(entry.path, path); }),
               list.end());
    return list;
}

std::vector<RecentFile> withRecentFirst(std::vector<RecentFile> list, const RecentFile& file) {
    list = withoutRecent(std::move(list), file.path);
    list.insert(list.begin(), file);
    if (list.size() > kRecentFileCount) list.resize(kRecentFileCount);
    return list;
}

std::vector<RecentFile> recentFiles(const char* settingsPath) {
    std::vector<RecentFile> list;
    for (int i = 0; i < kRecentFileCount; ++i) {
        std::string line = settingOf(settingsPath, keyOf(i));
        size_t bar = line.rfind('|');
        if (bar == std::string::npos || bar == 0 || bar + 1 == line.size()) continue;
        list.push_back({line.substr(0, bar), line.substr(bar + 1)});
    }
    return list;
}

// Places left over that held an entry get an empty value, which reads as none.
void storeRecentFiles(const char* settingsPath, const std::vector<RecentFile>& list) {
    for (int i = 0; i < kRecentFileCount; ++i) {
        if (i < static_cast<int>(list.size())) {
            storeSetting(settingsPath, keyOf(i), list[i].path + "|" + list[i].templateName);
        } else if (!settingOf(settingsPath, keyOf(i)).empty()) {
            storeSetting(settingsPath, keyOf(i), "");
        }
    }
}
