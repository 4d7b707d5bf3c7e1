#pragma once
// The program spells paths the Windows way; the POSIX halves turn backslashes into slashes.
#include <string>

namespace platform {

std::string toPosixPath(const char* path);

}  // namespace platform
