#include "templates/template_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "template_builder.h"

using testsupport::TempDir;

namespace {

struct TemplateLibraryTest : templatetest::RegistryTest {
    TempDir dir;
    TemplateLibrary library;

    // Each file's one row is captioned with the file's own name.
    void writeTemplates(std::initializer_list<const char*> names) const {
        for (std::string name : names) dir.write(name, static_cast<char>(name.size()) + name + "DWRD");
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
    templatetest::appendCodes(edited, "LSTB PSTR LSTE");
    edited.name = new char[7];
    for (const char* name : {"x.tmpl", "a.tmpl"}) {
        std::strcpy(edited.name, name);
        library.replaceByName(&edited);
    }
    Template* replaced = library.templates[first - before.begin()];
    *first = replaced;
    EXPECT_EQ(std::vector<Template*>(library.templates, library.templates + library.count), before);
    EXPECT_NE(replaced, &edited);
    EXPECT_EQ(templatetest::codeOf(replaced->fields[1]), "PSTR");
    EXPECT_TRUE(replaced->linked && replaced->resolved);
}

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

}  // namespace
