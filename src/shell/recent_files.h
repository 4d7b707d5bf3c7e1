#pragma once
// The documents last opened, most recent first, each with the template it was read with; the
// settings file keeps them as "recent:1" to "recent:8", "path|template" (a bar is in no file name).
#include <string>
#include <vector>

constexpr int kRecentFileCount = 8;

struct RecentFile {
    std::string path;
    std::string templateName;
};

// The list with the file first: an earlier entry of the same path (in any case, as Windows compares
// paths) goes, and whatever falls past the eighth.
std::vector<RecentFile> withRecentFirst(std::vector<RecentFile> list, const RecentFile& file);
// The list without the path.
std::vector<RecentFile> withoutRecent(std::vector<RecentFile> list, const std::string& path);

// Lines without a bar, or with nothing on one side of it, are skipped.
std::vector<RecentFile> recentFiles(const char* settingsPath);
void storeRecentFiles(const char* settingsPath, const std::vector<RecentFile>& list);
