#pragma once
// Folders the program finds its own things in: its executable's, and whether a folder is there.
#include <string>

namespace platform {

// The folder of the running program's executable, without a separator at the end; empty when the
// system does not tell.
std::string programFolder();
bool isFolder(const char* path);

}  // namespace platform
