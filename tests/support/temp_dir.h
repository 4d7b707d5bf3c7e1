#pragma once
// A fresh directory for one test, removed with everything in it afterwards. Paths are spelled
// with backslashes, as the program spells them.
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory joined with a relative name ("a\\b.tmpl").
    std::string path(const std::string& name = "") const {
        return name.empty() ? root_ : root_ + "\\" + name;
    }
    // The same as the host's file functions spell it.
    std::filesystem::path native(const std::string& name) const;
    void write(const std::string& name, const std::vector<unsigned char>& bytes) const;
    void write(const std::string& name, const std::string& text) const {
        write(name, std::vector<unsigned char>(text.begin(), text.end()));
    }
    std::vector<unsigned char> read(const std::string& name) const;
    std::string text(const std::string& name) const {
        std::vector<unsigned char> bytes = read(name);
        return std::string(bytes.begin(), bytes.end());
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(native(name)); }
    void makeDir(const std::string& name) const { std::filesystem::create_directories(native(name)); }

  private:
    std::string root_;
};

using Bytes = std::vector<unsigned char>;

}  // namespace testsupport
