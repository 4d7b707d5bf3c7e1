#include <windows.h>

#include <cstring>
#include <new>

#include "platform/save_file.h"

namespace platform {

static char* copyOf(const char* text, size_t length) {
    char* copy = new (std::nothrow) char[length + 1];
    if (!copy) return nullptr;
    std::memcpy(copy, text, length);
    copy[length] = 0;
    return copy;
}

// The resolved path of an existing file, symbolic links followed, without the long-path prefix.
char* realFileOf(const char* path) {
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return copyOf(path, std::strlen(path));
    char resolved[MAX_PATH + 8];
    DWORD length =
        GetFinalPathNameByHandleA(file, resolved, sizeof resolved, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(file);
    if (length == 0 || length >= sizeof resolved) return copyOf(path, std::strlen(path));
    if (std::strncmp(resolved, "\\\\?\\UNC\\", 8) == 0) {
        resolved[6] = '\\';  // \\?\UNC\server\share is \\server\share
        return copyOf(resolved + 6, std::strlen(resolved + 6));
    }
    const char* start = std::strncmp(resolved, "\\\\?\\", 4) == 0 ? resolved + 4 : resolved;
    return copyOf(start, std::strlen(start));
}

bool isReadOnlyFile(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// ReplaceFileA keeps the replaced file's attributes, security and creation time; a new file is
// simply moved into place.
bool replaceKeepingIdentity(const char* source, const char* target) {
    DWORD attributes = GetFileAttributesA(target);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return MoveFileExA(source, target, MOVEFILE_WRITE_THROUGH) != FALSE;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;  // Wine's ReplaceFileA would replace it too
    return ReplaceFileA(target, source, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != FALSE;
}

}  // namespace platform
