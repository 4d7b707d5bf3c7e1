#include "support/temp_dir.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace testsupport {

static fs::path nativePath(std::string path) {
#ifndef _WIN32
    std::replace(path.begin(), path.end(), '\\', '/');
#endif
    return fs::u8path(path);  // names are UTF-8, as the program's are
}

TempDir::TempDir() {
    // Named by process too: test programs of other builds run at the same time.
    static std::atomic<int> serial{0};
    fs::path base = fs::temp_directory_path() /
                    ("sondrix-test-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
    std::error_code ignored;
    fs::remove_all(base, ignored);
    fs::create_directories(base);
    root_ = base.string();
#ifndef _WIN32
    std::replace(root_.begin(), root_.end(), '/', '\\');
#endif
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(nativePath(root_), ignored);
}

std::string TempDir::path(const std::string& name) const {
    return name.empty() ? root_ : root_ + "\\" + name;
}

fs::path TempDir::native(const std::string& name) const {
    return nativePath(path(name));
}

void TempDir::write(const std::string& name, const std::vector<unsigned char>& bytes) const {
    std::ofstream(nativePath(path(name)), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void TempDir::write(const std::string& name, const std::string& text) const {
    write(name, std::vector<unsigned char>(text.begin(), text.end()));
}

std::vector<unsigned char> TempDir::read(const std::string& name) const {
    std::ifstream in(nativePath(path(name)), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::exists(const std::string& name) const {
    return fs::exists(native(name));
}

void TempDir::makeDir(const std::string& name) const {
    fs::create_directories(native(name));
}

}  // namespace testsupport
