#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "support/temp_dir.h"
#include "template_builder.h"
#include "templates/template.h"

using testsupport::TempDir;

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;  // caption, code

std::string record(const std::string& caption, const std::string& code) {
    return static_cast<char>(caption.size()) + caption + code;
}

Rows rowsOf(const Template& t) {
    Rows rows;
    for (int32_t i = 0; i < t.fieldCount; ++i)
        rows.emplace_back(t.fields[i]->caption, templatetest::codeOf(t.fields[i]));
    return rows;
}

const std::string kZeroCode("D\0\0\0", 4);
const std::string kWidth = "\5WidthDWRD";
const std::string kLong(255, 'x');

const struct {
    const char* title;
    std::string bytes;
    Rows rows;
} kLoadCases[] = {
    {"empty file", "", {}},
    {"one record", kWidth, {{"Width", "DWRD"}}},
    {"empty caption", record("", "LSTB"), {{"", "LSTB"}}},
    {"zero bytes in the code", record("a", kZeroCode), {{"a", kZeroCode}}},
    {"longest caption", record(kLong, "PSTR"), {{kLong, "PSTR"}}},
    {"a zero byte ends the caption", record(std::string("a\0b", 3), "DWRD"), {{"a", "DWRD"}}},
    {"stray length byte", kWidth + "\3", {{"Width", "DWRD"}}},
    {"length byte 0 as the last byte", kWidth + std::string(1, '\0'), {{"Width", "DWRD"}}},
    {"caption cut short", kWidth + "\5ab", {{"Width", "DWRD"}}},
    {"code cut short", kWidth + record("", "DWR"), {{"Width", "DWRD"}}},
};

TEST(TemplateFile, LoadReadsWholeRecordsAndDropsACutOne) {
    TempDir dir;
    for (const auto& c : kLoadCases) {
        dir.write("t.tmpl", c.bytes);
        Template t;
        ASSERT_EQ(t.load(dir.path("t.tmpl").c_str()), 0) << c.title;
        EXPECT_EQ(rowsOf(t), c.rows) << c.title;
        EXPECT_TRUE(t.linked && !t.resolved) << c.title;
    }
}

TEST(TemplateFile, SaveWritesOneRecordPerRowCuttingCaptionsAt255) {
    TempDir dir;
    dir.write("t.tmpl", std::string(2000, 'A'));
    Template t;
    const Rows rows = {{"Width", "DWRD"}, {"", "lstb"}, {"z", kZeroCode}, {std::string(300, 'x'), "????"}};
    for (const auto& row : rows) t.appendField(row.second.c_str(), row.first.c_str());
    ASSERT_EQ(t.save(dir.path("t.tmpl").c_str()), 0);
    std::string expected = kWidth + record("", "lstb") + record("z", kZeroCode) + record(kLong, "????");
    EXPECT_EQ(dir.read("t.tmpl"), testsupport::Bytes(expected.begin(), expected.end()));
    EXPECT_FALSE(dir.exists("t.tmpl.new"));
    Template again;
    ASSERT_EQ(again.load(dir.path("t.tmpl").c_str()), 0);
    EXPECT_EQ(rowsOf(again), (Rows{rows[0], rows[1], rows[2], {kLong, "????"}}));
}

TEST(TemplateFile, FailedLoadLeavesTheTemplateAsItWas) {
    std::string tooMany;
    for (int32_t i = 0; i <= kMaxTemplateFields; ++i) tooMany.append("\0DWRD", 5);
    const struct {
        const char* title;
        int result;
        bool directory;
        const std::string* bytes;
    } cases[] = {{"missing file", -1, false, nullptr},
                 {"directory", -1, true, nullptr},
                 {"too many rows", -9, false, &tooMany}};
    for (const auto& c : cases) {
        TempDir dir;
        if (c.directory) dir.makeDir("t.tmpl");
        if (c.bytes) dir.write("t.tmpl", *c.bytes);
        Template t;
        templatetest::appendCodes(t, "LSTB DWRD");
        EXPECT_EQ(t.load(dir.path("t.tmpl").c_str()), c.result) << c.title;
        EXPECT_EQ(t.fieldCount, 2) << c.title;
        EXPECT_EQ(t.path, nullptr) << c.title;
        EXPECT_FALSE(t.linked) << c.title;
    }
}

TEST(TemplateFile, SaveThatCannotCreateOrReplaceTheFileFails) {
    TempDir dir;
    dir.makeDir("t.tmpl");
    Template t;
    t.appendField("DWRD", nullptr);
    EXPECT_EQ(t.save(dir.path("missing\\t.tmpl").c_str()), -1);
    EXPECT_EQ(t.save(dir.path("t.tmpl").c_str()), -1);
    EXPECT_TRUE(dir.exists("t.tmpl"));
    EXPECT_FALSE(dir.exists("t.tmpl.new"));
}

// A save changes the bytes of the file it ends in and nothing else: a link stays a link, the
// permissions stay, and neither a read-only file nor the user's own side files are overwritten.
TEST(TemplateFile, SaveKeepsWhatTheFileIs) {
    namespace fs = std::filesystem;
    const std::string saved = record("", "DWRD");
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const struct {
        const char* title;
        std::function<void(const TempDir&)> prepare;
        int result;
        const char* changed;  // the file that holds the saved bytes afterwards, or none
        std::function<bool(const TempDir&)> kept;
    } cases[] = {
        {"side files of the user",
         [](const TempDir& dir) {
             dir.write("t.tmpl.saving", "mine");
             dir.write("t.tmpl.new", "mine");
         },
         0, "t.tmpl",
         [](const TempDir& dir) {
             return dir.read("t.tmpl.saving") == dir.read("t.tmpl.new") && dir.read("t.tmpl.new").size() == 4;
         }},
        {"read-only file", [&](const TempDir& dir) { fs::permissions(dir.native("t.tmpl"), readOnly); }, -1,
         nullptr,
         [&](const TempDir& dir) {
             bool kept = fs::status(dir.native("t.tmpl")).permissions() == readOnly;
             fs::permissions(dir.native("t.tmpl"), fs::perms::owner_write, fs::perm_options::add);
             return kept;
         }},
#ifndef _WIN32
        {"executable file",
         [](const TempDir& dir) { fs::permissions(dir.native("t.tmpl"), fs::perms(0750)); }, 0, "t.tmpl",
         [](const TempDir& dir) {
             return fs::status(dir.native("t.tmpl")).permissions() == fs::perms(0750);
         }},
        {"symbolic link",
         [](const TempDir& dir) {
             fs::rename(dir.native("t.tmpl"), dir.native("real.tmpl"));
             fs::create_symlink("real.tmpl", dir.native("t.tmpl"));
         },
         0, "real.tmpl", [](const TempDir& dir) { return fs::is_symlink(dir.native("t.tmpl")); }},
#endif
    };
    for (const auto& c : cases) {
        TempDir dir;
        dir.write("t.tmpl", kWidth);
        c.prepare(dir);
        Template t;
        t.appendField("DWRD", nullptr);
        EXPECT_EQ(t.save(dir.path("t.tmpl").c_str()), c.result) << c.title;
        const std::string& expected = c.changed ? saved : kWidth;
        EXPECT_EQ(dir.read(c.changed ? c.changed : "t.tmpl"),
                  testsupport::Bytes(expected.begin(), expected.end()))
            << c.title;
        EXPECT_TRUE(c.kept(dir)) << c.title;
    }
}

#ifndef _WIN32
// A file-size limit makes the writes fail part way, as a full disk would.
TEST(TemplateFile, SaveThatFailsPartWayKeepsTheOldFile) {
    TempDir dir;
    dir.write("t.tmpl", kWidth);
    Template t;
    for (int i = 0; i < 100; ++i) t.appendField("PSTR", "a caption of some length");
    rlimit saved, small;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    small = saved;
    small.rlim_cur = 1000;
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    int result = t.save(dir.path("t.tmpl").c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(dir.read("t.tmpl"), testsupport::Bytes(kWidth.begin(), kWidth.end()));
    EXPECT_FALSE(dir.exists("t.tmpl.new"));
}
#endif

}  // namespace
