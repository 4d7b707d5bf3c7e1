#include <sys/stat.h>
#include <unistd.h>

#include "platform/folders.h"
#include "platform/posix_path.h"

namespace platform {

std::string programFolder() {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof path) return {};
    std::string folder(path, static_cast<size_t>(length));
    return folder.substr(0, folder.rfind('/'));
}

bool isFolder(const char* path) {
    struct stat info;
    return stat(toPosixPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace platform
