// Templates in files: loading and saving one, the library of a directory, and the choice of one for a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "shell/strings.h"
#include "support/temp_dir.h"
#include "template_builder.h"
#include "templates/template.h"
#include "templates/template_choice.h"
#include "templates/template_library.h"

using testsupport::TempDir;

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;  // caption, code

const std::string kZeroCode("D\0\0\0", 4);
const std::string kWidth = "\5WidthDWRD";
const std::string kLong(255, 'x');

std::string record(const std::string& caption, const std::string& code) {
    return static_cast<char>(caption.size()) + caption + code;
}

// Resolving, as a library scan does, creates the registry, which the base removes again.
struct TemplateFile : TemplateTest {
    TempDir dir;
    TemplateLibrary library;

    static Rows rowsOf(const Template& t) {
        Rows rows;
        for (int32_t i = 0; i < t.fieldCount; ++i)
            rows.emplace_back(t.fields[i]->caption, codeOf(t.fields[i]));
        return rows;
    }
    // Saves a template of one DWRD row without a caption to the file of that name.
    int saveOneRow(const char* name = "t.tmpl") const {
        Template t;
        t.appendField("DWRD", nullptr);
        return t.save(dir.path(name).c_str());
    }
    // Each file's one row is captioned with the file's own name.
    void writeTemplates(std::initializer_list<const char*> names) const {
        for (const char* name : names) dir.write(name, record(name, "DWRD"));
    }
    // Paths below the temporary directory in library order, checked against the rows.
    std::vector<std::string> entries() const {
        std::vector<std::string> paths;
        for (int32_t i = 0; i < library.count; ++i) {
            paths.push_back(std::string(library.templates[i]->path).substr(dir.path().size() + 1));
            EXPECT_EQ(library.templates[i]->fields[0]->caption, paths.back());
        }
        return paths;
    }
};

TEST_F(TemplateFile, LoadReadsWholeRecordsAndDropsACutOne) {
    const std::pair<std::string, Rows> cases[] = {
        {"", {}},
        {kWidth, {{"Width", "DWRD"}}},
        {record("", "LSTB"), {{"", "LSTB"}}},
        {record("a", kZeroCode), {{"a", kZeroCode}}},
        {record(kLong, "PSTR"), {{kLong, "PSTR"}}},
        {record(std::string("a\0b", 3), "DWRD"), {{"a", "DWRD"}}},  // a zero byte ends the caption
        {kWidth + "\3", {{"Width", "DWRD"}}},                       // a stray length byte
        {kWidth + std::string(1, '\0'), {{"Width", "DWRD"}}},       // length byte 0 as the last byte
        {kWidth + "\5ab", {{"Width", "DWRD"}}},                     // the caption cut short
        {kWidth + record("", "DWR"), {{"Width", "DWRD"}}},          // the code cut short
    };
    for (const auto& [bytes, rows] : cases) {
        dir.write("t.tmpl", bytes);
        Template t;
        ASSERT_EQ(t.load(dir.path("t.tmpl").c_str()), 0) << testing::PrintToString(bytes);
        EXPECT_EQ(rowsOf(t), rows) << testing::PrintToString(bytes);
        EXPECT_TRUE(t.linked && !t.resolved) << testing::PrintToString(bytes);
    }
}

TEST_F(TemplateFile, SaveWritesOneRecordPerRowCuttingCaptionsAt255) {
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

TEST_F(TemplateFile, FailedLoadLeavesTheTemplateAsItWas) {
    std::string tooMany;
    for (int32_t i = 0; i <= kMaxTemplateFields; ++i) tooMany.append("\0DWRD", 5);
    dir.makeDir("directory.tmpl");
    dir.write("too-many.tmpl", tooMany);
    for (const char* name : {"missing.tmpl", "directory.tmpl", "too-many.tmpl"}) {
        Template t;
        appendCodes(t, "LSTB DWRD");
        EXPECT_EQ(t.load(dir.path(name).c_str()), name[0] == 't' ? -9 : -1) << name;
        EXPECT_TRUE(t.fieldCount == 2 && t.path == nullptr && !t.linked) << name;
    }
}

// A save changes the bytes of the file it ends in and nothing else: a link stays a link, the
// permissions stay, and neither a read-only file nor the user's own side files are overwritten.
TEST_F(TemplateFile, SaveKeepsWhatTheFileIs) {
    namespace fs = std::filesystem;
    const std::string saved = record("", "DWRD");
    dir.makeDir("directory.tmpl");
    EXPECT_EQ(saveOneRow("directory.tmpl"), -1);
    EXPECT_EQ(saveOneRow("missing\\t.tmpl"), -1);
    EXPECT_TRUE(dir.exists("directory.tmpl") && !dir.exists("directory.tmpl.new"));
    dir.write("t.tmpl", kWidth);
    dir.write("t.tmpl.saving", "mine");
    dir.write("t.tmpl.new", "mine");
    EXPECT_EQ(saveOneRow(), 0);
    EXPECT_TRUE(dir.text("t.tmpl") == saved && dir.text("t.tmpl.saving") == "mine" &&
                dir.text("t.tmpl.new") == "mine");
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    dir.write("t.tmpl", kWidth);
    fs::permissions(dir.native("t.tmpl"), readOnly);
    EXPECT_EQ(saveOneRow(), -1);
    EXPECT_TRUE(dir.text("t.tmpl") == kWidth && fs::status(dir.native("t.tmpl")).permissions() == readOnly);
    fs::permissions(dir.native("t.tmpl"), fs::perms::owner_write, fs::perm_options::add);
#ifndef _WIN32
    dir.write("t.tmpl", kWidth);
    fs::permissions(dir.native("t.tmpl"), fs::perms(0750));
    EXPECT_EQ(saveOneRow(), 0);
    EXPECT_TRUE(dir.text("t.tmpl") == saved &&
                fs::status(dir.native("t.tmpl")).permissions() == fs::perms(0750));
    fs::rename(dir.native("t.tmpl"), dir.native("real.tmpl"));
    fs::create_symlink("real.tmpl", dir.native("t.tmpl"));
    dir.write("real.tmpl", kWidth);
    EXPECT_EQ(saveOneRow(), 0);
    EXPECT_TRUE(dir.text("real.tmpl") == saved && fs::is_symlink(dir.native("t.tmpl")));

    // A file-size limit makes the writes fail part way, as a full disk would.
    Template big;
    for (int i = 0; i < 100; ++i) big.appendField("PSTR", "a caption of some length");
    rlimit previous;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
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

using TemplateLibraryTest = TemplateFile;

// The Windows half keeps the file system's order, which these tests do not fix.
std::vector<std::string> inSearchOrder(std::vector<std::string> paths) {
#ifdef _WIN32
    std::sort(paths.begin(), paths.end());
#endif
    return paths;
}

TEST_F(TemplateLibraryTest, ScanEntersOnlySubDirectoriesNamedLikeTemplatesDepthFirst) {
    for (const char* name : {"TMPL\\plain", "TMPL\\inner.tmpl\\deeper.tmpl"}) dir.makeDir(name);
    writeTemplates({"TMPL\\A.TMPL", "TMPL\\b.tmpl", "TMPL\\z.tmpl", "TMPL\\notes.txt", "TMPL\\plain\\c.tmpl",
                    "TMPL\\inner.tmpl\\b.tmpl", "TMPL\\inner.tmpl\\deeper.tmpl\\e.tmpl"});
#ifndef _WIN32
    std::filesystem::create_symlink("nowhere", dir.native("TMPL\\gone.tmpl"));
#endif
    library.scan(dir.path("TMPL").c_str(), true);
    EXPECT_EQ(inSearchOrder(entries()),
              inSearchOrder({"TMPL\\A.TMPL", "TMPL\\b.tmpl", "TMPL\\inner.tmpl\\b.tmpl",
                             "TMPL\\inner.tmpl\\deeper.tmpl\\e.tmpl", "TMPL\\z.tmpl"}));
    library.clear();
    EXPECT_EQ(library.capacity, 0);
    library.scan(dir.path("TMPL").c_str(), false);
    EXPECT_EQ(inSearchOrder(entries()), inSearchOrder({"TMPL\\A.TMPL", "TMPL\\b.tmpl", "TMPL\\z.tmpl"}));
}

TEST_F(TemplateLibraryTest, ReplaceByNamePutsACloneInPlaceOfTheFirstOfTheName) {
    dir.makeDir("TMPL\\sub.tmpl");
    writeTemplates({"TMPL\\a.tmpl", "TMPL\\m.tmpl", "TMPL\\sub.tmpl\\a.tmpl"});
    library.scan(dir.path("TMPL").c_str(), true);
    std::vector<Template*> before(library.templates, library.templates + library.count);
    auto first = std::find_if(before.begin(), before.end(),
                              [](Template* t) { return !std::strcmp(t->name, "a.tmpl"); });
    ASSERT_NE(first, before.end());
    registerCodes("PSTR");
    Template edited;
    appendCodes(edited, "LSTB PSTR LSTE");
    edited.name = new char[7];
    for (const char* name : {"x.tmpl", "a.tmpl"}) {
        std::strcpy(edited.name, name);
        library.replaceByName(&edited);
    }
    Template* replaced = library.templates[first - before.begin()];
    *first = replaced;
    EXPECT_EQ(std::vector<Template*>(library.templates, library.templates + library.count), before);
    EXPECT_NE(replaced, &edited);
    EXPECT_EQ(codeOf(replaced->fields[1]), "PSTR");
    EXPECT_TRUE(replaced->linked && replaced->resolved);
}

#ifndef _WIN32  // Windows refuses such paths itself
// The path buffers hold 259 characters: a template whose path is longer is passed by, not read from
// its path cut short.
TEST_F(TemplateLibraryTest, ScanPassesByPathsLongerThanItsBuffers) {
    const std::string folder(251 - dir.path().size(), 'd');
    dir.makeDir(folder);
    for (const char* name : {"a.tmpl", "xx.tmpl", "xx.tmp"})
        dir.write(folder + "\\" + name, record(name, "DWRD"));
    library.scan(dir.path(folder).c_str(), false);
    ASSERT_EQ(library.count, 1);
    EXPECT_STREQ(library.templates[0]->fields[0]->caption, "a.tmpl");
}
#endif

// Start-up reads ".\TMPL" of the working directory.
TEST_F(TemplateLibraryTest, StartUpScanFillsTheProcessLibraryFromDotTMPL) {
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.native(""));
    scanTemplateLibrary();
    EXPECT_EQ(templateLibrary.count, 0);
    dir.makeDir("TMPL");
    writeTemplates({"TMPL\\a.tmpl"});
    scanTemplateLibrary();
    std::filesystem::current_path(previous);
    ASSERT_EQ(templateLibrary.count, 1);
    EXPECT_STREQ(templateLibrary.templates[0]->path, ".\\TMPL\\a.tmpl");
    EXPECT_STREQ(templateLibrary.templates[0]->name, "a.tmpl");
    templateLibrary.clear();
}

struct TemplateChoice : TemplateFile {
    std::string settings = dir.path("Sondrix.ini");

    void SetUp() override {
        for (const char* name : {"ico.tmpl", "BMP.tmpl", "chunks", "png"}) {
            Template* entry = new Template;
            entry->name = DupString(name);
            library.add(entry);
        }
    }
};

// Without a settings file only the extension counts.
TEST_F(TemplateChoice, TheExtensionNamesTheTemplateElseTheOneLastChosenForIt) {
    for (const char* path : {"x.ico", "x.iff", "x.png"})
        EXPECT_EQ(preferredTemplate(library, path, settings.c_str()), path[2] == 'p' ? 3 : 0) << path;
    rememberTemplate("a.iff", "chunks", settings.c_str());
    rememberTemplate("b.dat", "png", settings.c_str());
    rememberTemplate("c.dat", "BMP.tmpl", settings.c_str());  // in place of the earlier one
    rememberTemplate("no-extension", "png", settings.c_str());
    const std::pair<const char*, int32_t> cases[] = {
        {"C:\\pictures\\x.bmp", 1}, {"x.PNG", 3}, {"dir.png\\x", 0}, {"y.iff", 2}, {"z.dat", 1},
        {"unknown.xyz", 0},         {"", 0},      {"ico", 0},
    };
    for (const auto& [path, index] : cases)
        EXPECT_EQ(preferredTemplate(library, path, settings.c_str()), index) << path;
    EXPECT_EQ(dir.text("Sondrix.ini"), "iff=chunks\ndat=BMP.tmpl\n");
}

}  // namespace
