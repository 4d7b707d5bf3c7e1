#include "platform/dir_search.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/temp_dir.h"

using namespace platform;

namespace {

TEST(NamePattern, MatchesAsWindowsDoes) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.tmpl", "a.tmpl", true},
        {"*.tmpl", "A.TMPL", true},
        {"*.tmpl", ".tmpl", true},
        {"*.tmpl", "a.tmp", false},
        {"*.tmpl", "a.tmpl.bak", false},
        {"*.tmpl", "x.tmpl.tmpl", true},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"*", "", true},
        {"**a*", "bab", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(matchesNamePattern(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
    }
}

TEST(DirSearch, FindsMatchingFilesAndDirectories) {
    testsupport::TempDir dir;
    dir.write("b.tmpl", std::string());
    dir.write("A.TMPL", std::string());
    dir.write("c.txt", std::string());
    dir.makeDir("sub.tmpl");
    dir.makeDir("other");
    DirSearch search;
    DirEntry entry;
    std::set<std::string> files, dirs;
    for (bool found = search.first((dir.path() + "\\*.tmpl").c_str(), &entry); found;
         found = search.next(&entry)) {
        (entry.isDirectory ? dirs : files).insert(entry.name);
    }
    EXPECT_EQ(files, (std::set<std::string>{"A.TMPL", "b.tmpl"}));
    EXPECT_EQ(dirs, (std::set<std::string>{"sub.tmpl"}));
}

TEST(DirSearch, NothingMatchingOrNoDirectory) {
    testsupport::TempDir dir;
    DirSearch search;
    DirEntry entry;
    EXPECT_FALSE(search.first((dir.path() + "\\*.tmpl").c_str(), &entry));
    DirSearch missing;
    EXPECT_FALSE(missing.first((dir.path() + "\\absent\\*.tmpl").c_str(), &entry));
    EXPECT_FALSE(missing.next(&entry));
}

}  // namespace
