#include "templates/template_choice.h"

#include <algorithm>
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

uint8_t reasonsFor(const Template* templ, const std::string& extension, const std::string& remembered,
                   const FileHead& head) {
    uint8_t reasons = 0;
    if (leadingBytesMatch(*templ, head)) reasons |= kMatchContent;
    if (!extension.empty() && (withoutTmpl(templ->name) == extension || namesExtension(*templ, extension)))
        reasons |= kMatchExtension;
    if (!remembered.empty() && templ->name && remembered == templ->name) reasons |= kMatchLastUsed;
    return reasons;
}

}  // namespace

std::vector<TemplateMatch> matchingTemplates(const TemplateLibrary& library, const char* path, const FileHead& head,
                                             const char* settingsPath) {
    std::string extension = path ? extensionOf(path) : std::string();
    std::string remembered = extension.empty() ? std::string() : settingOf(settingsPath, extension);
    std::vector<TemplateMatch> matches;
    for (int32_t i = 0; i < library.count; ++i) {
        uint8_t reasons = reasonsFor(library.templates[i], extension, remembered, head);
        if (reasons) matches.push_back(TemplateMatch{i, reasons});
    }
    std::stable_sort(matches.begin(), matches.end(),
                     [](const TemplateMatch& a, const TemplateMatch& b) { return a.reasons > b.reasons; });
    return matches;
}

int32_t preferredTemplate(const TemplateLibrary& library, const char* path, const char* settingsPath) {
    FileHead head = path ? readFileHead(path) : FileHead{};
    std::vector<TemplateMatch> matches = matchingTemplates(library, path, head, settingsPath);
    return matches.empty() ? 0 : matches.front().index;
}

Template* onlyContentMatch(const TemplateLibrary& library, const char* path) {
    FileHead head = readFileHead(path);
    Template* only = nullptr;
    for (int32_t i = 0; i < library.count; ++i) {
        if (!leadingBytesMatch(*library.templates[i], head)) continue;
        if (only) return nullptr;
        only = library.templates[i];
    }
    return only;
}

void rememberTemplate(const char* path, const char* templateName, const char* settingsPath) {
    std::string extension = path ? extensionOf(path) : std::string();
    if (extension.empty() || !templateName) return;
    storeSetting(settingsPath, extension, templateName);
}
