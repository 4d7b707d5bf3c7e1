#include "platform/posix_path.h"

namespace platform {

std::string toPosixPath(const char* path) {
    std::string result(path ? path : "");
    for (char& c : result) {
        if (c == '\\') c = '/';
    }
    return result;
}

}  // namespace platform
