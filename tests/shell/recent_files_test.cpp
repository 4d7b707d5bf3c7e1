// The recent files under File: the most recent first, one entry a path, eight at most, and kept in
// the settings file across starts.
#include "shell/recent_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

// Entries written as "path|template".
std::vector<std::string> shown(const std::vector<RecentFile>& list) {
    std::vector<std::string> lines;
    for (const RecentFile& entry : list) lines.push_back(entry.path + "|" + entry.templateName);
    return lines;
}

std::vector<RecentFile> listOf(int count) {
    std::vector<RecentFile> list;
    for (int i = 0; i < count; ++i) list.push_back({"C:\\" + std::to_string(i) + ".bin", "t"});
    return list;
}

TEST(RecentFiles, TheFileOpenedComesFirstOnceAndTheNinthFallsOff) {
    struct Case {
        const char* what;
        std::vector<RecentFile> before;
        RecentFile opened;
        std::vector<std::string> after;
    } cases[] = {
        {"into an empty list", {}, {"C:\\a.bin", "ico.tmpl"}, {"C:\\a.bin|ico.tmpl"}},
        {"before the others",
         {{"C:\\a.bin", "ico.tmpl"}},
         {"C:\\b.bin", "bmp.tmpl"},
         {"C:\\b.bin|bmp.tmpl", "C:\\a.bin|ico.tmpl"}},
        {"again: moves up with its new template",
         {{"C:\\a.bin", "ico.tmpl"}, {"C:\\b.bin", "bmp.tmpl"}},
         {"C:\\b.bin", "wav.tmpl"},
         {"C:\\b.bin|wav.tmpl", "C:\\a.bin|ico.tmpl"}},
        {"in another case: the same file",
         {{"C:\\Dir\\A.bin", "ico.tmpl"}},
         {"c:\\dir\\a.BIN", "ico.tmpl"},
         {"c:\\dir\\a.BIN|ico.tmpl"}},
        {"to eight: the oldest falls off",
         listOf(8),
         {"C:\\new.bin", "t"},
         {"C:\\new.bin|t", "C:\\0.bin|t", "C:\\1.bin|t", "C:\\2.bin|t", "C:\\3.bin|t", "C:\\4.bin|t",
          "C:\\5.bin|t", "C:\\6.bin|t"}},
        {"the last of eight again: nothing falls off",
         listOf(8),
         {"C:\\7.bin", "t"},
         {"C:\\7.bin|t", "C:\\0.bin|t", "C:\\1.bin|t", "C:\\2.bin|t", "C:\\3.bin|t", "C:\\4.bin|t",
          "C:\\5.bin|t", "C:\\6.bin|t"}},
    };
    for (const Case& c : cases) EXPECT_EQ(shown(withRecentFirst(c.before, c.opened)), c.after) << c.what;
}

TEST(RecentFiles, AMissingFileLeavesTheList) {
    EXPECT_EQ(shown(withoutRecent(listOf(3), "c:\\1.BIN")),
              (std::vector<std::string>{"C:\\0.bin|t", "C:\\2.bin|t"}));
    EXPECT_EQ(shown(withoutRecent(listOf(2), "C:\\9.bin")),
              (std::vector<std::string>{"C:\\0.bin|t", "C:\\1.bin|t"}));
}

TEST(RecentFiles, TheSettingsFileKeepsThemBesideOtherSettings) {
    testsupport::TempDir dir;
    const std::string ini = dir.path("Sondrix.ini");
    dir.write("Sondrix.ini", std::string("bmp=bmp.tmpl\nrecent:3=C:\\old.bin|t\nrecent:5=no bar\n"));
    EXPECT_EQ(shown(recentFiles(ini.c_str())), (std::vector<std::string>{"C:\\old.bin|t"}));

    storeRecentFiles(ini.c_str(), {{"C:\\x=1|2.bin", "ico.tmpl"}, {"C:\\b.bin", "bmp.tmpl"}});
    EXPECT_EQ(shown(recentFiles(ini.c_str())),
              (std::vector<std::string>{"C:\\x=1|2.bin|ico.tmpl", "C:\\b.bin|bmp.tmpl"}));
    EXPECT_EQ(dir.text("Sondrix.ini"),
              "bmp=bmp.tmpl\nrecent:1=C:\\x=1|2.bin|ico.tmpl\nrecent:2=C:\\b.bin|bmp.tmpl\nrecent:3=\n"
              "recent:5=\n");
    EXPECT_TRUE(recentFiles(nullptr).empty());
}

}  // namespace
