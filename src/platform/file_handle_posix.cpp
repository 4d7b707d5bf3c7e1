#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/file_handle.h"
#include "platform/posix_path.h"

namespace platform {

static int fdOf(FileHandle file) {
    return static_cast<int>(reinterpret_cast<intptr_t>(file));
}

FileHandle invalidFileHandle() {
    return reinterpret_cast<FileHandle>(static_cast<intptr_t>(-1));
}

static int openFlags(uint32_t access, uint32_t disposition) {
    int flags = O_CLOEXEC;
    bool reads = (access & kGenericRead) != 0;
    bool writes = (access & kGenericWrite) != 0;
    flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    switch (disposition) {
        case kCreateNew:
            return flags | O_CREAT | O_EXCL;
        case kCreateAlways:
            return flags | O_CREAT | O_TRUNC;
        case kOpenExisting:
            return flags;
        case kOpenAlways:
            return flags | O_CREAT;
        case kTruncateExisting:
            return flags | O_TRUNC;
        default:
            return -1;
    }
}

FileHandle createFile(const char* name, uint32_t access, uint32_t disposition) {
    int flags = openFlags(access, disposition);
    if (flags < 0 || name == nullptr) return invalidFileHandle();
    int fd = ::open(toPosixPath(name).c_str(), flags, 0644);
    if (fd < 0) return invalidFileHandle();
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {  // CreateFileA refuses directories too
        ::close(fd);
        return invalidFileHandle();
    }
    return reinterpret_cast<FileHandle>(static_cast<intptr_t>(fd));
}

bool readFile(FileHandle file, void* buffer, uint32_t count, uint32_t* transferred) {
    *transferred = 0;
    char* at = static_cast<char*>(buffer);
    while (*transferred < count) {
        ssize_t n = ::read(fdOf(file), at + *transferred, count - *transferred);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        *transferred += static_cast<uint32_t>(n);
    }
    return true;
}

bool writeFile(FileHandle file, const void* buffer, uint32_t count, uint32_t* transferred) {
    *transferred = 0;
    const char* at = static_cast<const char*>(buffer);
    while (*transferred < count) {
        ssize_t n = ::write(fdOf(file), at + *transferred, count - *transferred);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        *transferred += static_cast<uint32_t>(n);
    }
    return true;
}

bool setFilePointer(FileHandle file, int64_t offset, uint32_t method, int64_t* newPosition) {
    int whence = method == kFileBegin ? SEEK_SET : method == kFileCurrent ? SEEK_CUR : SEEK_END;
    off_t result = ::lseek(fdOf(file), static_cast<off_t>(offset), whence);
    if (result < 0) return false;
    *newPosition = result;
    return true;
}

int64_t getFileSize(FileHandle file) {
    struct stat info;
    return fstat(fdOf(file), &info) == 0 ? static_cast<int64_t>(info.st_size) : 0;
}

void closeHandle(FileHandle file) {
    ::close(fdOf(file));
}

bool deleteFile(const char* name) {
    return ::unlink(toPosixPath(name).c_str()) == 0;
}

}  // namespace platform
