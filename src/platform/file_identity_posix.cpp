#include <sys/stat.h>

#include "platform/file_identity.h"
#include "platform/posix_path.h"

namespace platform {

bool fileIdentity(const char* name, FileIdentity* identity) {
    struct stat info;
    if (!name || stat(toPosixPath(name).c_str(), &info) != 0) return false;
    identity->size = info.st_size;
    identity->writeTime = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return true;
}

}  // namespace platform
