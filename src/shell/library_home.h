#pragma once
// The folder that holds the template library "TMPL" and the settings file "Sondrix.ini": the working
// directory when it has a library, else the program's own folder, so that a program started from a
// file association or another folder still finds the templates that came with it.
#include <string>

std::string libraryHome(const std::string& workingFolder, const std::string& programFolder);
