#include "platform/save_file.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "platform/file_handle.h"

namespace platform {

namespace {

// A user's own "name.saving" files stay untouched: the first of these names that is free is taken.
constexpr int kNameAttempts = 100;
constexpr size_t kSuffixRoom = sizeof ".saving99";

}  // namespace

char* createSaveFile(const char* path) {
    if (!path) return nullptr;
    std::unique_ptr<char[]> real(realFileOf(path));
    if (!real || isReadOnlyFile(real.get())) return nullptr;
    size_t room = std::strlen(real.get()) + kSuffixRoom;
    char* name = new (std::nothrow) char[room];
    if (!name) return nullptr;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        if (attempt == 0) {
            std::snprintf(name, room, "%s.saving", real.get());
        } else {
            std::snprintf(name, room, "%s.saving%d", real.get(), attempt);
        }
        FileHandle file = createFile(name, kGenericWrite, kCreateNew);
        if (file != invalidFileHandle()) {
            closeHandle(file);
            return name;
        }
    }
    delete[] name;
    return nullptr;
}

bool replaceBySaveFile(const char* saveFile, const char* path) {
    std::unique_ptr<char[]> real(realFileOf(path));
    return real && replaceKeepingIdentity(saveFile, real.get());
}

}  // namespace platform
