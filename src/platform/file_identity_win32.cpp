#include <windows.h>

#include "platform/file_identity.h"

namespace platform {

bool fileIdentity(const char* name, FileIdentity* identity) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!name || !GetFileAttributesExA(name, GetFileExInfoStandard, &data)) return false;
    identity->size =
        static_cast<int64_t>(static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow);
    identity->writeTime =
        static_cast<int64_t>(static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                             data.ftLastWriteTime.dwLowDateTime);
    return true;
}

}  // namespace platform
