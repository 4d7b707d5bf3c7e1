#include <windows.h>

#include "platform/file_handle.h"

namespace platform {

FileHandle invalidFileHandle() {
    return INVALID_HANDLE_VALUE;
}

FileHandle createFile(const char* name, uint32_t access, uint32_t disposition) {
    return CreateFileA(name, access, FILE_SHARE_READ, nullptr, disposition, 0, nullptr);
}

bool readFile(FileHandle file, void* buffer, uint32_t count, uint32_t* transferred) {
    DWORD done = 0;
    BOOL ok = ReadFile(file, buffer, count, &done, nullptr);
    *transferred = ok ? done : 0;
    return ok != FALSE;
}

bool writeFile(FileHandle file, const void* buffer, uint32_t count, uint32_t* transferred) {
    DWORD done = 0;
    BOOL ok = WriteFile(file, buffer, count, &done, nullptr);
    *transferred = ok ? done : 0;
    return ok != FALSE;
}

bool setFilePointer(FileHandle file, int64_t offset, uint32_t method, int64_t* newPosition) {
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(0);
    DWORD low = SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFF), &high, method);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != 0) return false;
    *newPosition = (static_cast<int64_t>(high) << 32) | low;
    return true;
}

int64_t getFileSize(FileHandle file) {
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    return (static_cast<int64_t>(high) << 32) | low;
}

void closeHandle(FileHandle file) {
    CloseHandle(file);
}

bool deleteFile(const char* name) {
    return DeleteFileA(name) != FALSE;
}

}  // namespace platform
