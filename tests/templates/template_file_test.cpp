#include <gtest/gtest.h>

#include <filesystem>
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

TEST(TemplateFile, LoadReadsWholeRecordsAndDropsACutOne) {
    const struct {
        const char* title;
        std::string bytes;
        Rows rows;
    } cases[] = {
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
    TempDir dir;
    for (const auto& c : cases) {
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
    Template t, again;
    const Rows rows = {{"Width", "DWRD"}, {"", "lstb"}, {"z", kZeroCode}, {std::string(300, 'x'), "????"}};
    for (const auto& row : rows) t.appendField(row.second.c_str(), row.first.c_str());
    ASSERT_EQ(t.save(dir.path("t.tmpl").c_str()), 0);
    EXPECT_EQ(dir.text("t.tmpl"),
              kWidth + record("", "lstb") + record("z", kZeroCode) + record(kLong, "????"));
    EXPECT_FALSE(dir.exists("t.tmpl.new"));
    ASSERT_EQ(again.load(dir.path("t.tmpl").c_str()), 0);
    EXPECT_EQ(rowsOf(again), (Rows{rows[0], rows[1], rows[2], {kLong, "????"}}));
}

TEST(TemplateFile, FailedLoadLeavesTheTemplateAsItWas) {
    std::string tooMany;
    for (int32_t i = 0; i <= kMaxTemplateFields; ++i) tooMany.append("\0DWRD", 5);
    for (std::string what : {"missing", "directory", "too many rows"}) {
        TempDir dir;
        if (what == "directory") dir.makeDir("t.tmpl");
        if (what == "too many rows") dir.write("t.tmpl", tooMany);
        Template t;
        templatetest::appendCodes(t, "LSTB DWRD");
        EXPECT_EQ(t.load(dir.path("t.tmpl").c_str()), what == "too many rows" ? -9 : -1) << what;
        EXPECT_TRUE(t.fieldCount == 2 && t.path == nullptr && !t.linked) << what;
    }
}

// A save changes the bytes of the file it ends in and nothing else: a link stays a link, the
// permissions stay, and neither a read-only file nor the user's own side files are overwritten.
TEST(TemplateFile, SaveKeepsWhatTheFileIs) {
    namespace fs = std::filesystem;
    const std::string saved = record("", "DWRD");
    auto save = [](const TempDir& dir) {
        Template t;
        t.appendField("DWRD", nullptr);
        return t.save(dir.path("t.tmpl").c_str());
    };
    {
        TempDir dir;
        dir.makeDir("t.tmpl");
        EXPECT_EQ(save(dir), -1);
        Template t;
        t.appendField("DWRD", nullptr);
        EXPECT_EQ(t.save(dir.path("missing\\t.tmpl").c_str()), -1);
        EXPECT_TRUE(dir.exists("t.tmpl") && !dir.exists("t.tmpl.new"));
    }
    TempDir dir;
    dir.write("t.tmpl", kWidth);
    dir.write("t.tmpl.saving", "mine");
    dir.write("t.tmpl.new", "mine");
    EXPECT_EQ(save(dir), 0);
    EXPECT_TRUE(dir.text("t.tmpl") == saved && dir.text("t.tmpl.saving") == "mine" &&
                dir.text("t.tmpl.new") == "mine");
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    dir.write("t.tmpl", kWidth);
    fs::permissions(dir.native("t.tmpl"), readOnly);
    EXPECT_EQ(save(dir), -1);
    EXPECT_TRUE(dir.text("t.tmpl") == kWidth && fs::status(dir.native("t.tmpl")).permissions() == readOnly);
    fs::permissions(dir.native("t.tmpl"), fs::perms::owner_write, fs::perm_options::add);
#ifndef _WIN32
    dir.write("t.tmpl", kWidth);
    fs::permissions(dir.native("t.tmpl"), fs::perms(0750));
    EXPECT_EQ(save(dir), 0);
    EXPECT_TRUE(dir.text("t.tmpl") == saved &&
                fs::status(dir.native("t.tmpl")).permissions() == fs::perms(0750));
    fs::rename(dir.native("t.tmpl"), dir.native("real.tmpl"));
    fs::create_symlink("real.tmpl", dir.native("t.tmpl"));
    dir.write("real.tmpl", kWidth);
    EXPECT_EQ(save(dir), 0);
    EXPECT_TRUE(dir.text("real.tmpl") == saved && fs::is_symlink(dir.native("t.tmpl")));

    // A file-size limit makes the writes fail part way, as a full disk would.
    Template big;
    for (int i = 0; i < 100; ++i) big.appendField("PSTR", "a caption of some length");
    rlimit previous, small;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    small = previous;
    small.rlim_cur = 1000;
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    int result = big.save(dir.path("real.tmpl").c_str());
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(dir.text("real.tmpl") == saved && !dir.exists("real.tmpl.new"));
#endif
}

}  // namespace
