#pragma once
// File access for the streams: CreateFileA, ReadFile, WriteFile, SetFilePointer, GetFileSize and
// CloseHandle on Windows. Paths use the backslash as separator on every platform.
#include <cstdint>

#include "platform/types.h"

namespace platform {

// The Win32 values, so that field types can pass their own through the host interface.
constexpr uint32_t kGenericRead = 0x80000000u;
constexpr uint32_t kGenericWrite = 0x40000000u;
constexpr uint32_t kCreateNew = 1;
constexpr uint32_t kCreateAlways = 2;
constexpr uint32_t kOpenExisting = 3;
constexpr uint32_t kOpenAlways = 4;
constexpr uint32_t kTruncateExisting = 5;

constexpr uint32_t kFileBegin = 0;
constexpr uint32_t kFileCurrent = 1;
constexpr uint32_t kFileEnd = 2;

FileHandle invalidFileHandle();

// Shares reading with others, no security attributes, flags or template file.
FileHandle createFile(const char* name, uint32_t access, uint32_t disposition);
bool readFile(FileHandle file, void* buffer, uint32_t count, uint32_t* transferred);
bool writeFile(FileHandle file, const void* buffer, uint32_t count, uint32_t* transferred);
// False when the pointer could not be moved; the position is then unchanged.
bool setFilePointer(FileHandle file, int64_t offset, uint32_t method, int64_t* newPosition);
int64_t getFileSize(FileHandle file);
void closeHandle(FileHandle file);

bool deleteFile(const char* name);

}  // namespace platform
