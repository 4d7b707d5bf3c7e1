#include <windows.h>

#include <cstring>

#include "platform/dir_search.h"

namespace platform {

static void copyEntry(const WIN32_FIND_DATAA& data, DirEntry* entry) {
    std::strncpy(entry->name, data.cFileName, sizeof entry->name - 1);
    entry->name[sizeof entry->name - 1] = 0;
    entry->isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

DirSearch::~DirSearch() {
    if (state_) FindClose(state_);
}

bool DirSearch::first(const char* pattern, DirEntry* entry) {
    WIN32_FIND_DATAA data;
    HANDLE found = FindFirstFileA(pattern, &data);
    if (found == INVALID_HANDLE_VALUE) return false;
    state_ = found;
    copyEntry(data, entry);
    return true;
}

bool DirSearch::next(DirEntry* entry) {
    WIN32_FIND_DATAA data;
    if (!state_ || !FindNextFileA(state_, &data)) return false;
    copyEntry(data, entry);
    return true;
}

}  // namespace platform
