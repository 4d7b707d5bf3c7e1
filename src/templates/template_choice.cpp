#include "templates/template_choice.h"

#include <cctype>
#include <cstring>
#include <string>

#include "platform/file_handle.h"
#include "shell/streams.h"

namespace {

constexpr int64_t kLargestSettings = 64 * 1024;

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

std::string readSettings(const char* settingsPath) {
    if (!settingsPath) return {};
    TIOFile file(settingsPath, platform::kGenericRead, platform::kOpenExisting);
    if (!file.IsOpen()) return {};
    int64_t size = file.Size();
    if (size <= 0 || size > kLargestSettings) return {};
    std::string text(static_cast<size_t>(size), '\0');
    return file.Read(&text[0], size) == size ? text : std::string();
}

// Each line's extension and where its template name starts and ends, for visit.
template <typename Visit>
void forEachSetting(const std::string& text, Visit visit) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        size_t equals = text.find('=', start);
        if (equals < end) visit(text.substr(start, equals - start), start, equals + 1, end);
        start = end + 1;
    }
}

int32_t indexOf(const TemplateLibrary& library, const std::string& wanted, bool byExtension) {
    for (int32_t i = 0; i < library.count; ++i) {
        const char* name = library.templates[i]->name;
        if (byExtension ? withoutTmpl(name) == wanted : name && wanted == name) return i;
    }
    return -1;
}

}  // namespace

const char* templateSettingsPath = nullptr;

int32_t preferredTemplate(const TemplateLibrary& library, const char* path, const char* settingsPath) {
    std::string extension = path ? extensionOf(path) : std::string();
    if (extension.empty()) return 0;
    int32_t named = indexOf(library, extension, true);
    if (named >= 0) return named;
    std::string settings = readSettings(settingsPath);
    int32_t remembered = -1;
    forEachSetting(settings, [&](const std::string& key, size_t, size_t from, size_t end) {
        if (key == extension) remembered = indexOf(library, settings.substr(from, end - from), false);
    });
    return remembered >= 0 ? remembered : 0;
}

void rememberTemplate(const char* path, const char* templateName, const char* settingsPath) {
    std::string extension = path ? extensionOf(path) : std::string();
    if (extension.empty() || !templateName || !settingsPath) return;
    std::string settings = readSettings(settingsPath);
    std::string kept;
    forEachSetting(settings, [&](const std::string& key, size_t start, size_t, size_t end) {
        if (key != extension) kept += settings.substr(start, end - start) + "\n";
    });
    kept += extension + "=" + templateName + "\n";
    TIOFile file(settingsPath, platform::kGenericWrite, platform::kCreateAlways);
    if (file.IsOpen()) {
        file.Write(kept.data(), static_cast<int64_t>(kept.size()));
        file.Flush();
    }
}
