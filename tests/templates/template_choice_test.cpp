#include "templates/template_choice.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/strings.h"
#include "support/temp_dir.h"

namespace {

struct TemplateChoice : testing::Test {
    testsupport::TempDir dir;
    TemplateLibrary library;
    std::string settings = dir.path("Sondrix.ini");

    void SetUp() override {
        for (const char* name : {"ico.tmpl", "BMP.tmpl", "chunks", "png"}) {
            Template* entry = new Template;
            entry->name = DupString(name);
            library.add(entry);
        }
    }
};

TEST_F(TemplateChoice, TheExtensionNamesTheTemplateElseTheOneLastChosenForIt) {
    rememberTemplate("a.iff", "chunks", settings.c_str());
    rememberTemplate("b.dat", "png", settings.c_str());
    rememberTemplate("c.dat", "BMP.tmpl", settings.c_str());  // in place of the earlier one
    rememberTemplate("no-extension", "png", settings.c_str());
    const struct {
        const char* path;
        int32_t index;
    } cases[] = {
        {"C:\\pictures\\x.bmp", 1}, {"x.PNG", 3}, {"dir.png\\x", 0}, {"y.iff", 2}, {"z.dat", 1},
        {"unknown.xyz", 0},         {"", 0},      {"ico", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(preferredTemplate(library, c.path, settings.c_str()), c.index) << c.path;
    testsupport::Bytes written = dir.read("Sondrix.ini");
    EXPECT_EQ(std::string(written.begin(), written.end()), "iff=chunks\ndat=BMP.tmpl\n");
}

TEST_F(TemplateChoice, WithoutASettingsFileOnlyTheExtensionCounts) {
    EXPECT_EQ(preferredTemplate(library, "x.ico", dir.path("none.ini").c_str()), 0);
    EXPECT_EQ(preferredTemplate(library, "x.iff", dir.path("none.ini").c_str()), 0);
    EXPECT_EQ(preferredTemplate(library, "x.png", dir.path("none.ini").c_str()), 3);
}

}  // namespace
