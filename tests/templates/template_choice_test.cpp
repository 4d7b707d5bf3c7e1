// Which templates suit a file: their leading bytes, their extensions, the one last used, ranked.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "shell/settings_file.h"
#include "shell/strings.h"
#include "support/temp_dir.h"
#include "template_builder.h"
#include "templates/file_kind.h"
#include "templates/template_choice.h"
#include "templates/template_library.h"

using testsupport::TempDir;

namespace {

FileHead headOf(const std::string& bytes, int64_t fileSize = -1) {
    FileHead head;
    head.bytes.assign(bytes.begin(), bytes.end());
    head.fileSize = fileSize < 0 ? static_cast<int64_t>(bytes.size()) : fileSize;
    head.opened = true;
    return head;
}

// Rows "CODE caption" separated by "|".
Template* templateOf(const char* name, const std::string& rows) {
    auto* templ = new Template;
    templ->name = DupString(name);
    size_t at = 0;
    while (at < rows.size()) {
        size_t end = rows.find('|', at);
        if (end == std::string::npos) end = rows.size();
        std::string row = rows.substr(at, end - at);
        templ->appendField(row.substr(0, 4).c_str(), row.size() > 5 ? row.substr(5).c_str() : "");
        at = end + 1;
    }
    return templ;
}

using FileKindTest = TemplateTest;

TEST_F(FileKindTest, LeadingBytesHoldWhenAnyLeadRowsConditionDoes) {
    const std::string png("\x89PNG\r\n\x1a\n", 8);
    const std::tuple<const char*, std::string, int64_t, bool> cases[] = {
        {"LEAD S = be(0, 8) == $89504E470D0A1A0A", png, -1, true},
        {"LEAD S = be(0, 8) == $89504E470D0A1A0B", png, -1, false},
        {"LEAD S = le(0, 2) == $5089", png, -1, true},
        {"lead S = be(1, 3) == 'PNG'", png, -1, true},  // either case of the code
        {"LEAD S = be(4, 8) == 0", png, -1, false},      // past the bytes read: no match, no failure
        {"LEAD S = be(0, 2) == 'MZ'|LEAD T = be(1, 3) == 'PNG'", png, -1, true},
        {"LEAD S = @filesize > 100 && be(0, 1) == $89", png, 8, false},
        {"LEAD S = @filesize > 100 && be(0, 1) == $89", png, 5000, true},
        {"LEAD S = sum(0, 2) == $89 + 'P'", png, -1, true},
        {"LEAD S = 1 / 0", png, -1, false},
        {"UBYT A|LEAD S = A == $89", png, -1, false},  // no row is read before choosing
        {"LEAD S", png, -1, false},
        {"EXTN E = 'png'|DWRD Width", png, -1, false},
        {"LEAD S = be(0, 1) == $89", "", -1, false},  // a file that could not be read
    };
    for (const auto& [rows, bytes, size, holds] : cases) {
        std::unique_ptr<Template> templ(templateOf("t", rows));
        EXPECT_EQ(leadingBytesMatch(*templ, headOf(bytes, size)), holds) << rows;
    }
}

TEST_F(FileKindTest, ExtensionsAreCharactersOfAnyEXTNRow) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"EXTN E = 'tif', 'tiff'", "tiff", true},
        {"EXTN E = 'TIF', 'tiff'", "tif", true},  // the template's case does not count
        {"EXTN E = 'tif'", "ti", false},
        {"EXTN E = 'o'", "so", false},
        {"EXTN E = 'a'|extn F = 'jpeg'", "jpeg", true},
        {"EXTN E = 'png'", "", false},
        {"LEAD E = 'png'", "png", false},
        {"EXTN E = 'pn' + 'g'", "png", false},
    };
    for (const auto& [rows, extension, named] : cases) {
        std::unique_ptr<Template> templ(templateOf("t", rows));
        EXPECT_EQ(namesExtension(*templ, extension), named) << rows << " " << extension;
    }
}

struct Ranking : TemplateTest {
    TempDir dir;
    std::string settings = dir.path("Sondrix.ini");
    TemplateLibrary library;

    void SetUp() override {
        library.add(templateOf("riff", "EXTN E = 'wav', 'riff'"));
        library.add(templateOf("wav.tmpl", "LEAD W = be(0, 4) == 'RIFF' && be(8, 4) == 'WAVE'"));
        library.add(templateOf("any riff", "LEAD R = be(0, 4) == 'RIFF'"));
        library.add(templateOf("bytes", ""));
        library.add(templateOf("png", "LEAD P = be(0, 4) == $89504E47|EXTN E = 'png'"));
    }

    std::string ranked(const char* path, const std::string& bytes) {
        std::string text;
        for (const TemplateMatch& match : matchingTemplates(library, path, headOf(bytes), settings.c_str())) {
            text += text.empty() ? "" : " ";
            text += library.templates[match.index]->name;
            text += ":" + std::to_string(match.reasons);
        }
        return text;
    }
};

// Content 4, extension 2, last used 1: more reasons first, as the order says; ties in library order.
TEST_F(Ranking, ContentThenExtensionThenLastUsed) {
    const std::string wave("RIFF\x24\0\0\0WAVEfmt ", 16);
    storeSetting(settings.c_str(), "dat", "bytes");
    storeSetting(settings.c_str(), "wav", "any riff");
    const std::tuple<const char*, std::string, const char*> cases[] = {
        {"a.wav", wave, "wav.tmpl:6 any riff:5 riff:2"},
        {"a.WAV", "RIFF", "any riff:5 riff:2 wav.tmpl:2"},
        {"a.dat", wave, "wav.tmpl:4 any riff:4 bytes:1"},
        {"a.dat", "", "bytes:1"},
        {"C:\\x.png\\a.riff", std::string("\x89PNG", 4), "png:4 riff:2"},
        {"noextension", "", ""},
        {"a.png", "", "png:2"},
    };
    for (const auto& [path, bytes, expected] : cases) EXPECT_EQ(ranked(path, bytes), expected) << path;
}

TEST_F(Ranking, AFileOpensAtOnceOnlyWhenOneTemplatesLeadingBytesMatch) {
    const std::tuple<const char*, std::string, const char*> cases[] = {
        {"a.png", std::string("\x89PNG", 4), "png"},
        {"a.wav", std::string("RIFF\x24\0\0\0WAVE", 12), nullptr},  // two match
        {"a.xyz", std::string("RIFF\x24\0\0\0AVI ", 12), "any riff"},
        {"a.png", "PNG", nullptr},
    };
    for (const auto& [path, bytes, only] : cases) {
        dir.write(path, bytes);
        Template* found = onlyContentMatch(library, dir.path(path).c_str());
        EXPECT_STREQ(found ? found->name : nullptr, only) << path;
    }
}

}  // namespace
