#pragma once
// What the fuzz targets share. Their scratch files: every run writes them, so they live in memory
// when possible (the disk is far slower), are named by process so that parallel fuzzers keep apart,
// and go when the fuzzer ends.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <string>

namespace scratch {

// Stops the fuzzer, saying what did not hold.
inline void check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The path of "<target>.<pid>.<suffix>".
inline const char* file(const char* target, const char* suffix) {
    static std::deque<std::string> paths;  // where each path handed out stays
    if (paths.empty())
        std::atexit([] {
            for (const std::string& path : paths) std::remove(path.c_str());
        });
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : "";
    paths.push_back(dir + std::string(target) + "." + std::to_string(getpid()) + "." + suffix);
    return paths.back().c_str();
}

inline void write(const char* path, const uint8_t* bytes, size_t size) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    out.close();
    check(!out.fail(), "cannot write a scratch file");
}

}  // namespace scratch
