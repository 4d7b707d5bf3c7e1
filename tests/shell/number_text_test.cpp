#include "shell/number_text.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberText, OffsetsAreDecimalOrHexadecimalWithoutSign) {
    const struct {
        const char* text;
        bool valid;
        int64_t offset;
    } cases[] = {
        {"26", true, 26},
        {" $1A ", true, 26},
        {"0x1a", true, 26},
        {"0X7FFFFFFFFFFFFFFF", true, INT64_MAX},
        {"0x8000000000000000", false, 0},
        {"-1", false, 0},
        {"+1", false, 0},
        {"$", false, 0},
        {"1A", false, 0},
        {"", false, 0},
        {"2 3", false, 0},
    };
    for (const auto& c : cases) {
        int64_t offset = -7;
        EXPECT_EQ(parseOffsetText(c.text, &offset), c.valid) << c.text;
        EXPECT_EQ(offset, c.valid ? c.offset : -7) << c.text;
    }
}

}  // namespace
