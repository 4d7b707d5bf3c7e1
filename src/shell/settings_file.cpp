#include "shell/settings_file.h"

#include <cstdint>

#include "platform/file_handle.h"
#include "shell/streams.h"

namespace {

constexpr int64_t kLargestSettings = 64 * 1024;

std::string readSettings(const char* settingsPath) {
    if (!settingsPath) return {};
    TIOFile file(settingsPath, platform::kGenericRead, platform::kOpenExisting);
    if (!file.IsOpen()) return {};
    int64_t size = file.Size();
    if (size <= 0 || size > kLargestSettings) return {};
    std::string text(static_cast<size_t>(size), '\0');
    return file.Read(&text[0], size) == size ? text : std::string();
}

// Each line's key and where its value starts and ends, for visit.
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

}  // namespace

const char* settingsFilePath = nullptr;

std::string settingOf(const char* settingsPath, const std::string& key) {
    std::string settings = readSettings(settingsPath);
    std::string value;
    forEachSetting(settings, [&](const std::string& name, size_t, size_t from, size_t end) {
        if (name == key) value = settings.substr(from, end - from);
    });
    return value;
}

void storeSetting(const char* settingsPath, const std::string& key, const std::string& value) {
    if (!settingsPath) return;
    std::string settings = readSettings(settingsPath);
    std::string kept;
    forEachSetting(settings, [&](const std::string& name, size_t start, size_t, size_t end) {
        if (name != key) kept += settings.substr(start, end - start) + "\n";
    });
    kept += key + "=" + value + "\n";
    TIOFile file(settingsPath, platform::kGenericWrite, platform::kCreateAlways);
    if (file.IsOpen()) {
        file.Write(kept.data(), static_cast<int64_t>(kept.size()));
        file.Flush();
    }
}
