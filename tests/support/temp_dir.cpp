#include "support/temp_dir.h"

#include <unistd.h>  // getpid, which MinGW declares here too

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace testsupport {

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
    fs::remove_all(native(""), ignored);
}

fs::path TempDir::native(const std::string& name) const {
    std::string spelled = path(name);
#ifndef _WIN32
    std::replace(spelled.begin(), spelled.end(), '\\', '/');
#endif
    return fs::u8path(spelled);  // names are UTF-8, as the program's are
}

void TempDir::write(const std::string& name, const std::vector<unsigned char>& bytes) const {
    std::ofstream(native(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> TempDir::read(const std::string& name) const {
    std::ifstream in(native(name), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace testsupport
