#pragma once
// The program's settings: a small file of "key=value" lines beside the template library.
#include <string>

// The settings file; null (as in tests): none, and nothing is remembered.
extern const char* settingsFilePath;

// The value of the key's line; empty when there is none.
std::string settingOf(const char* settingsPath, const std::string& key);
// Puts the key's line last with the value, keeping the other lines; a settings file that cannot be
// written only forgets.
void storeSetting(const char* settingsPath, const std::string& key, const std::string& value);
