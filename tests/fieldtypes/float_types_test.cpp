// The floating-point types as the binder and the document view drive them: bytes read, shown as the
// shortest decimal text that reads back, written back unchanged, and text entered.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "document/document.h"
#include "fieldtypes/field_harness.h"
#include "support/bytes.h"

using testsupport::bytesOf;

namespace {

using FloatTypes = EngineFixture;

// Whatever was read whole is written back byte for byte, the encodings no arithmetic keeps too.
TEST_F(FloatTypes, ReadInTheFormatAndByteOrderOfTheCodeShowShortestAndWriteBack) {
    const std::tuple<const char*, const char*, int64_t, const char*, int64_t> cases[] = {
        {"SNGL", "3F C0 00 00", 4, "1.5", 4},
        {"sngl", "00 00 C0 3F", 4, "1.5", 4},
        {"SNGL", "47 2C 44 00", 4, "44100", 4},
        {"SNGL", "3D CC CC CD", 4, "0.1", 4},
        {"SNGL", "3E AA AA AB", 4, "0.33333334", 4},
        {"SNGL", "80 00 00 00", 4, "-0", 4},
        {"sngl", "01 00 00 00", 4, "1e-45", 4},  // the smallest denormal
        {"SNGL", "7F 7F FF FF", 4, "3.4028235e+38", 4},
        {"SNGL", "7F 80 00 00", 4, "inf", 4},
        {"SNGL", "FF 80 00 00", 4, "-inf", 4},
        {"SNGL", "7F C0 00 01", 4, "nan", 4},  // a payload
        {"sngl", "FF FF FF FF", 4, "nan", 4},
        {"DOUB", "3F B9 99 99 99 99 99 9A", 8, "0.1", 8},
        {"doub", "9A 99 99 99 99 99 B9 3F", 8, "0.1", 8},
        {"DOUB", "40 E5 88 80 00 00 00 00", 8, "44100", 8},
        {"DOUB", "3F F0 00 00 00 00 00 01", 8, "1.0000000000000002", 8},
        {"doub", "01 00*7", 8, "5e-324", 8},
        {"DOUB", "7F EF FF FF FF FF FF FF", 8, "1.7976931348623157e+308", 8},
        {"DOUB", "FF F0 00*6", 8, "-inf", 8},
        {"DOUB", "7F F8 00 00 00 00 00 2A", 8, "nan", 8},
        // AIFF's sample rate, and x87 memory.
        {"EXTD", "40 0E AC 44 00*6", 10, "44100", 10},
        {"extd", "00*6 44 AC 0E 40", 10, "44100", 10},
        {"EXTD", "BF FF C0 00*7", 10, "-1.5", 10},
        {"EXTD", "3F FB CC CC CC CC CC CC CC CD", 10, "0.1", 10},
        {"EXTD", "3F FD AA AA AA AA AA AA AA AB", 10, "0.33333333333333333334", 10},
        {"EXTD", "7F FF 80 00*7", 10, "inf", 10},
        {"extd", "00*7 80 FF FF", 10, "-inf", 10},
        {"EXTD", "7F FF C0 00 00 00 00 00 00 01", 10, "nan", 10},
        {"EXTD", "7F FF 00*8", 10, "nan", 10},                             // pseudo-infinity: no integer bit
        {"EXTD", "00*9 01", 10, "4e-4951", 10},                            // the smallest denormal
        {"EXTD", "00 00 80 00*7", 10, "3.3621031431120935063e-4932", 10},  // pseudo-denormal
        {"EXTD", "40 00 00*7 01", 10, "2.168404344971008868e-19", 10},     // unnormal
        {"EXTD", "80 00 00*8", 10, "-0", 10},
        // Data that ends inside the value leaves it 0.
        {"SNGL", "3F C0 00", 3, "0", 4},
        {"doub", "", 0, "0", 8},
        {"EXTD", "40 0E AC 44 00*5", 9, "0", 10},
    };
    for (const auto& [code, bytes, taken, shown, size] : cases) {
        FieldHarness field(code);
        ASSERT_NE(field.value(), nullptr) << code;
        EXPECT_EQ(field.read(bytesOf(bytes)), taken) << code << " " << bytes;
        EXPECT_EQ(field.shown(), shown) << code << " " << bytes;
        EXPECT_EQ(field.size(), size) << code;
        int64_t result = -1;
        const std::vector<unsigned char> written = field.written(&result);
        EXPECT_EQ(result, size) << code;
        if (taken == size) {
            EXPECT_EQ(written, bytesOf(bytes)) << code << " " << bytes;
        }
    }
}

// Entered text is rounded to the format, beyond its range to infinity; text that reads as the value
// held already keeps the bytes held, a NaN's payload and an unusual 80-bit encoding too.
TEST_F(FloatTypes, EnteredTextIsRoundedToTheFormatAndRefusedWhenNoNumber) {
    const std::tuple<const char*, const char*, const char*, int, const char*, const char*> cases[] = {
        {"SNGL", "", "44100", 1, "44100", "47 2C 44 00"},
        {"sngl", "", "-1.5e3", 1, "-1500", "00 80 BB C4"},
        {"SNGL", "", " 0.1 ", 1, "0.1", "3D CC CC CD"},
        {"SNGL", "", "1e39", 1, "inf", "7F 80 00 00"},
        {"SNGL", "", "1e-50", 1, "0", "00*4"},
        {"SNGL", "", "-0", 1, "-0", "80 00 00 00"},
        {"DOUB", "", "0.1", 1, "0.1", "3F B9 99 99 99 99 99 9A"},
        {"doub", "", "inf", 1, "inf", "00*6 F0 7F"},
        {"DOUB", "", "-inf", 1, "-inf", "FF F0 00*6"},
        {"DOUB", "", "nan", 1, "nan", "7F F8 00*6"},
        {"DOUB", "80 00*7", "0", 1, "0", "00*8"},  // the sign of a zero counts
        {"EXTD", "", "44100", 1, "44100", "40 0E AC 44 00*6"},
        {"extd", "", "-1.5", 1, "-1.5", "00*7 C0 FF BF"},
        {"EXTD", "", "nan", 1, "nan", "7F FF C0 00*7"},
        {"EXTD", "", "1e5000", 1, "inf", "7F FF 80 00*7"},
        {"EXTD", "", "4e-4951", 1, "4e-4951", "00*9 01"},
        {"EXTD", "", "3.3621031431120935063e-4932", 1, "3.3621031431120935063e-4932", "00 01 80 00*7"},
        // The value held already: the bytes stay.
        {"SNGL", "7F C0 00 01", "nan", 1, "nan", "7F C0 00 01"},
        {"EXTD", "7F FF C0 00 00 00 00 00 00 01", "nan", 1, "nan", "7F FF C0 00 00 00 00 00 00 01"},
        {"EXTD", "00 00 80 00*7", "3.3621031431120935063e-4932", 1, "3.3621031431120935063e-4932",
         "00 00 80 00*7"},
        {"EXTD", "40 00 00*7 01", "2.168404344971008868e-19", 1, "2.168404344971008868e-19", "40 00 00*7 01"},
        // No number: nothing changes.
        {"SNGL", "3F C0 00 00", "abc", 0, "1.5", "3F C0 00 00"},
        {"DOUB", "", "1.5x", 0, "0", "00*8"},
        {"EXTD", "", "", 0, "0", "00*10"},
        {"sngl", "", "1,5", 0, "0", "00*4"},
        {"doub", "", "--1", 0, "0", "00*8"},
    };
    for (const auto& [code, bytes, text, accepted, shown, written] : cases) {
        FieldHarness field(code);
        field.read(bytesOf(bytes));
        EXPECT_EQ(field.setText(text), accepted) << code << " " << text;
        EXPECT_EQ(field.shown(), shown) << code << " " << text;
        int64_t result = -1;
        EXPECT_EQ(field.written(&result), bytesOf(written)) << code << " " << text;
    }
}

// The dialog asks under the caption what the row takes, proposes the shown text, and waits past
// text that is no number for the next answer.
TEST_F(FloatTypes, EditingAsksForADecimalNumberAndWaitsPastTextThatIsNone) {
    const std::tuple<const char*, const char*, std::vector<const char*>, int, const char*, const char*>
        cases[] = {
            {"EXTD",
             "40 0E AC 44 00*6",
             {"x", "22050"},
             1,
             "Enter value:|Rate (a decimal number)|44100",
             "22050"},
            {"sngl", "00 00 C0 3F", {"1.5"}, 1, "Enter value:|Rate (a decimal number)|1.5", "1.5"},
            {"DOUB", "", {nullptr}, 0, "Enter value:|Rate (a decimal number)|0", "0"},
            {"doub", "", {"12abc"}, 0, "Enter value:|Rate (a decimal number)|0", "0"},
        };
    for (const auto& [code, bytes, answers, result, question, shown] : cases) {
        queryscript::reset();
        FieldHarness field(code, "Rate");
        field.read(bytesOf(bytes));
        for (const char* answer : answers) answer ? queryscript::answer(answer) : queryscript::cancel();
        EXPECT_EQ(field.edit(), result) << code;
        EXPECT_EQ(std::make_tuple(queryscript::asked(), queryscript::lastQuestion(), field.shown()),
                  std::make_tuple(1, std::string(question), std::string(shown)))
            << code;
    }
}

}  // namespace
