#include "platform/dir_search.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "support/temp_dir.h"

using namespace platform;

namespace {

TEST(NamePattern, MatchesAsWindowsDoes) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"*.tmpl", "a.tmpl", true}, {"*.tmpl", "A.TMPL", true},      {"a?c", "abc", true},
        {"*.tmpl", "a.tmp", false}, {"*.tmpl", "a.tmpl.bak", false}, {"a?c", "ac", false},
        {"*.tmpl", ".tmpl", true},  {"*.tmpl", "x.tmpl.tmpl", true}, {"*", "", true},
        {"**a*", "bab", true},
    };
    for (auto [pattern, name, matches] : cases)
        EXPECT_EQ(matchesNamePattern(pattern, name), matches) << pattern << " " << name;
}

TEST(DirSearch, FindsMatchingFilesAndDirectoriesAndNothingElse) {
    testsupport::TempDir dir;
    const std::string pattern = dir.path() + "\\*.tmpl";
    DirSearch search;
    DirEntry entry;
    EXPECT_FALSE(search.first(pattern.c_str(), &entry));
    DirSearch missing;
    EXPECT_FALSE(missing.first((dir.path() + "\\absent\\*.tmpl").c_str(), &entry));
    EXPECT_FALSE(missing.next(&entry));
    for (const char* name : {"b.tmpl", "A.TMPL", "c.txt"}) dir.write(name, std::string());
    dir.makeDir("sub.tmpl");
    dir.makeDir("other");
    std::set<std::string> files, dirs;
    DirSearch again;
    for (bool found = again.first(pattern.c_str(), &entry); found; found = again.next(&entry)) {
        (entry.isDirectory ? dirs : files).insert(entry.name);
    }
    EXPECT_EQ(files, (std::set<std::string>{"A.TMPL", "b.tmpl"}));
    EXPECT_EQ(dirs, (std::set<std::string>{"sub.tmpl"}));
}

}  // namespace
