#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dir_search.h"
#include "platform/posix_path.h"

namespace platform {

namespace {
struct Listing {
    std::vector<DirEntry> entries;
    size_t next = 0;
};
}  // namespace

DirSearch::~DirSearch() {
    delete static_cast<Listing*>(state_);
}

bool DirSearch::first(const char* pattern, DirEntry* entry) {
    std::string path = toPosixPath(pattern);
    size_t slash = path.rfind('/');
    std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string namePattern = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* handle = opendir(dir.c_str());
    if (!handle) return false;
    Listing* listing = new Listing;
    while (dirent* found = readdir(handle)) {
        if (!matchesNamePattern(namePattern.c_str(), found->d_name)) continue;
        if (std::strlen(found->d_name) >= sizeof entry->name) continue;
        DirEntry item{};
        std::strcpy(item.name, found->d_name);
        struct stat info;
        std::string full = dir + "/" + found->d_name;
        item.isDirectory = stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        listing->entries.push_back(item);
    }
    closedir(handle);
    // Sorted, so that runs are repeatable whatever order the file system keeps.
    std::sort(listing->entries.begin(), listing->entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return std::strcmp(a.name, b.name) < 0; });
    delete static_cast<Listing*>(state_);
    state_ = listing;
    return next(entry);
}

bool DirSearch::next(DirEntry* entry) {
    Listing* listing = static_cast<Listing*>(state_);
    if (!listing || listing->next >= listing->entries.size()) return false;
    *entry = listing->entries[listing->next++];
    return true;
}

}  // namespace platform
