#pragma once
// Which library templates a file most likely wants, so that opening a known file is Enter, Enter
// or nothing at all: those whose leading bytes match the file come first, then those for its
// extension (an EXTN row, or the template named as the extension: "bmp.tmpl" or "bmp" for
// "x.BMP"), then the one last chosen for files of that extension, remembered in the settings file
// as "extension=template name".
#include <cstdint>
#include <vector>

#include "templates/file_kind.h"
#include "templates/template_library.h"

// Weighed so that a larger set of reasons ranks before a smaller one exactly as the order says.
enum MatchReason : uint8_t { kMatchLastUsed = 1, kMatchExtension = 2, kMatchContent = 4 };

struct TemplateMatch {
    int32_t index;    // into the library
    uint8_t reasons;  // MatchReason bits
};

// Best first: by content, then extension, then last use, each counting before all that follow;
// among equals in library order.
std::vector<TemplateMatch> matchingTemplates(const TemplateLibrary& library, const char* path, const FileHead& head,
                                             const char* settingsPath);

// The best match's index into the library: 0 when nothing matches.
int32_t preferredTemplate(const TemplateLibrary& library, const char* path, const char* settingsPath);

// The only template whose leading bytes match the file, else null.
Template* onlyContentMatch(const TemplateLibrary& library, const char* path);

// Remembers the template chosen for the file's extension; a settings file that cannot be written
// only forgets.
void rememberTemplate(const char* path, const char* templateName, const char* settingsPath);
