// The font sizes Tools > Preferences sets: what may be typed, and how the settings file keeps them.
#include "shell/font_sizes.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/settings_file.h"
#include "support/temp_dir.h"

namespace {

TEST(FontSizes, WholePointsInRangeOrNothingForTheSystemsSize) {
    struct Case {
        const char* text;
        bool taken;
        int points;
    } cases[] = {
        {"", true, 0},      {"  ", true, 0},  {"6", true, 6},    {" 12 ", true, 12},
        {"36", true, 36},   {"5", false, 0},  {"37", false, 0},  {"0", false, 0},
        {"1 2", false, 0},  {"-8", false, 0}, {"9.5", false, 0}, {"999999999999", false, 0},
        {"12pt", false, 0},
    };
    for (const Case& c : cases) {
        int points = -1;
        EXPECT_EQ(parseFontPoints(c.text, &points), c.taken) << '"' << c.text << '"';
        if (c.taken) {
            EXPECT_EQ(points, c.points) << '"' << c.text << '"';
        }
    }
}

TEST(FontSizes, KeptApartForRowsAndBytesAndOutOfRangeReadsAsTheSystems) {
    testsupport::TempDir dir;
    const std::string ini = dir.path("Sondrix.ini");
    dir.write("Sondrix.ini", std::string("view:bytes-points=99\n"));
    settingsFilePath = ini.c_str();
    EXPECT_EQ(fontPoints(FontUse::Bytes), 0);
    chooseFontPoints(FontUse::Rows, 14);
    chooseFontPoints(FontUse::Bytes, 10);
    EXPECT_EQ(fontPoints(FontUse::Rows), 14);
    EXPECT_EQ(fontPoints(FontUse::Bytes), 10);
    chooseFontPoints(FontUse::Rows, 0);
    EXPECT_EQ(fontPoints(FontUse::Rows), 0);
    EXPECT_EQ(dir.text("Sondrix.ini"), "view:bytes-points=10\nview:rows-points=\n");
    settingsFilePath = nullptr;
}

}  // namespace
