#pragma once
// What tells that a file is still the one that was read: its size and the time it was last written.
#include <cstdint>

namespace platform {

struct FileIdentity {
    int64_t size;
    int64_t writeTime;  // in the system's own units
};

// False when the file cannot be looked at.
bool fileIdentity(const char* name, FileIdentity* identity);

inline bool sameIdentity(const FileIdentity& a, const FileIdentity& b) {
    return a.size == b.size && a.writeTime == b.writeTime;
}

}  // namespace platform
