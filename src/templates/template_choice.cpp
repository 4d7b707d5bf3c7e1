#include "templates/template_choice.h"

#include <cctype>
#include <cstring>
#include <string>

#include "shell/settings_file.h"

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Without the dot; empty when the file's name has none.
std::string extensionOf(const char* path) {
    const char* name = path;
    for (const char* at = path; *at; ++at) {
        if (*at == '\\' || *at == '/') name = at + 1;
    }
    const char* dot = std::strrchr(name, '.');
    return dot ? lowerCase(dot + 1) : std::string();
}

std::string withoutTmpl(const char* name) {
    std::string text = lowerCase(name ? name : "");
    const std::string suffix = ".tmpl";
    if (text.size() > suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0)
        text.resize(text.size() - suffix.size());
    return text;
}

int32_t indexOf(const TemplateLibrary& library, const std::string& wanted, bool byExtension) {
    for (int32_t i = 0; i < library.count; ++i) {
        const char* name = library.templates[i]->name;
        if (byExtension ? withoutTmpl(name) == wanted : name && wanted == name) return i;
    }
    return -1;
}

}  // namespace

int32_t preferredTemplate(const TemplateLibrary& library, const char* path, const char* settingsPath) {
    std::string extension = path ? extensionOf(path) : std::string();
    if (extension.empty()) return 0;
    int32_t named = indexOf(library, extension, true);
    if (named >= 0) return named;
    int32_t remembered = indexOf(library, settingOf(settingsPath, extension), false);
    return remembered >= 0 ? remembered : 0;
}

void rememberTemplate(const char* path, const char* templateName, const char* settingsPath) {
    std::string extension = path ? extensionOf(path) : std::string();
    if (extension.empty() || !templateName) return;
    storeSetting(settingsPath, extension, templateName);
}
