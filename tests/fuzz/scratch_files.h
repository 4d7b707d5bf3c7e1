#pragma once
// What the fuzz targets share. Their scratch files: every run writes and renames them, so they live
// in memory when possible (the disk is far slower), are named by process so that parallel fuzzers
// keep apart, and go when the fuzzer ends.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace scratch {

constexpr int kMaxFiles = 4;
inline char paths[kMaxFiles][128];
inline int count = 0;

inline void removeAll() {
    for (int i = 0; i < count; ++i) std::remove(paths[i]);
}

// A path for the file named "<target>.<pid>.<suffix>"; null when there are too many.
inline const char* file(const char* target, const char* suffix) {
    if (count == kMaxFiles) return nullptr;
    if (count == 0) std::atexit(removeAll);
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : "";
    std::snprintf(paths[count], sizeof paths[count], "%s%s.%d.%s", dir, target, static_cast<int>(getpid()),
                  suffix);
    return paths[count++];
}

// False when the file could not be written whole.
inline bool write(const char* path, const uint8_t* bytes, size_t size) {
    FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    bool whole = std::fwrite(bytes, 1, size, out) == size;
    return std::fclose(out) == 0 && whole;
}

// Stops the fuzzer, saying what did not hold.
inline void check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace scratch
