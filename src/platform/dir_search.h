#pragma once
// Directory search: FindFirstFileA, FindNextFileA and FindClose on Windows. The POSIX half matches
// the name pattern as Windows does (letter case ignored) and returns names in sorted order.
#include "platform/types.h"

namespace platform {

struct DirEntry {
    char name[260];
    bool isDirectory;
};

class DirSearch {
  public:
    DirSearch() = default;
    ~DirSearch();
    DirSearch(const DirSearch&) = delete;
    DirSearch& operator=(const DirSearch&) = delete;

    // pattern is a directory, a backslash and a name pattern with * and ?. False when nothing matches.
    bool first(const char* pattern, DirEntry* entry);
    bool next(DirEntry* entry);

  private:
    void* state_ = nullptr;
};

// Windows name matching: * and ? wildcards, letter case ignored.
bool matchesNamePattern(const char* pattern, const char* name);

}  // namespace platform
