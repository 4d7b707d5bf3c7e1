#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "platform/posix_path.h"
#include "platform/save_file.h"

namespace platform {

static char* copyOf(const std::string& text) {
    char* copy = new (std::nothrow) char[text.size() + 1];
    if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

char* realFileOf(const char* path) {
    std::string posix = toPosixPath(path);
    // A file yet to be made is saved where it is named.
    char* resolved = ::realpath(posix.c_str(), nullptr);
    if (!resolved) return copyOf(posix);
    char* result = copyOf(resolved);
    std::free(resolved);
    return result;
}

// No write bit at all counts too, since access() lets root write anything.
bool isReadOnlyFile(const char* path) {
    std::string posix = toPosixPath(path);
    struct stat info;
    if (::stat(posix.c_str(), &info) != 0) return false;
    return ::access(posix.c_str(), W_OK) != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool replaceKeepingIdentity(const char* source, const char* target) {
    std::string from = toPosixPath(source);
    std::string to = toPosixPath(target);
    struct stat info;
    if (::stat(to.c_str(), &info) == 0) {
        if (::chmod(from.c_str(), info.st_mode & 07777) != 0) return false;
        // Only root may hand the file back to another owner; anyone else's save keeps its own.
        [[maybe_unused]] int owned = ::chown(from.c_str(), info.st_uid, info.st_gid);
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace platform
