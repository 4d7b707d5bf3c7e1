#pragma once
// Which library template a file most likely wants, so that opening a known file is Enter, Enter:
// the template named as the file's extension ("bmp.tmpl" or "bmp" for "x.BMP"), else the one last
// chosen for files of that extension, remembered in the settings file as "extension=template name".
#include <cstdint>

#include "templates/template_library.h"

// An index into the library: 0 when nothing matches.
int32_t preferredTemplate(const TemplateLibrary& library, const char* path, const char* settingsPath);

// Remembers the template chosen for the file's extension; a settings file that cannot be written
// only forgets.
void rememberTemplate(const char* path, const char* templateName, const char* settingsPath);
