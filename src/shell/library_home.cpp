#include "shell/library_home.h"

#include "platform/folders.h"

std::string libraryHome(const std::string& workingFolder, const std::string& programFolder) {
    if (programFolder.empty() || platform::isFolder((workingFolder + "\\TMPL").c_str())) return workingFolder;
    return programFolder;
}
