#pragma once
// Which files a template is for, as its LEAD rows (a condition on the file's leading bytes) and
// EXTN rows (extensions) say; the rows bind nothing, so they choose a template without changing
// what it shows.
#include <cstdint>
#include <string>
#include <vector>

#include "templates/template.h"

// What LEAD conditions may read: the file's first bytes, and its size.
struct FileHead {
    std::vector<unsigned char> bytes;
    int64_t fileSize = 0;
    bool opened = false;
};

// Conditions read no further than this; a file that cannot be read has no bytes.
constexpr int64_t kFileHeadSize = 4096;
FileHead readFileHead(const char* path);

// Whether any LEAD row's condition holds for the head; false for a template without one.
bool leadingBytesMatch(const Template& templ, const FileHead& head);
// Whether an EXTN row names the extension (lower case, without the dot).
bool namesExtension(const Template& templ, const std::string& extension);
