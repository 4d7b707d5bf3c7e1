// The fields whose length the binder bounds (byte arrays, fixed-length text, numbers written as
// digits), driven over a stream that ends where the field ends, as the binder hands it.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "document/document.h"
#include "fieldtypes/field_harness.h"
#include "fieldtypes/number_access.h"
#include "support/bytes.h"

using testsupport::bytesOf;

namespace {

using BoundedTypes = EngineFixture;

// Hands out at most seven bytes a read, as a stream over a slow source may.
class TrickleStream : public BytesStream {
  public:
    using BytesStream::BytesStream;
    int64_t Read(void* buffer, int64_t count) override {
        return BytesStream::Read(buffer, std::min<int64_t>(count, 7));
    }
};

// Says it is longer than the bytes it has.
class ShortStream : public BytesStream {
  public:
    using BytesStream::BytesStream;
    int64_t Seek(int64_t offset, int origin) override {
        return BytesStream::Seek(origin == 2 ? offset + 5 : offset, origin);
    }
};

TEST_F(BoundedTypes, EveryByteToTheStreamsEndIsReadShownAndWrittenBackAsItWas) {
    const std::string x40(40, 'x');
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"BYTS", "41 42 0A", "41 42 0a  AB."},
        {"byts", "'0123456789abcdef'", "30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66  0123456789abcdef"},
        {"BYTS", "'0123456789abcdefg'",
         "30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66 ...  0123456789abcdef"},
        {"BYTS", "", ""},
        {"PADN", "00 00", "00 00  .."},
        {"upto", "FF", "ff  ."},
        {"TEXT", "'abc' 00 00 00", "abc"},
        {"text", "'ab' 00 'zz'", "ab"},
        {"TEXT", "'abcd'", "abcd"},
        {"TEXT", "", ""},
        // TAR's octal fields, an old tar's spaces, GNU tar's base 256, ar's decimal size.
        {"OTXT", "'0000644' 00", "420 (0644)"},
        {"OTXT", "'00000001750 '", "1000 (01750)"},
        {"otxt", "'00000000012' 00", "10 (012)"},
        {"OTXT", "'   644 ' 00", "420 (0644)"},
        {"OTXT", "'0000000' 00", "0 (0)"},
        {"OTXT", "00*8", ""},
        {"OTXT", "80 00*6 02 00 00 00 00", "8589934592 (base 256)"},
        {"DTXT", "'1234' 20*6", "1234"},
        {"dtxt", "'0644' 00", "644"},
        {"DTXT", "", ""},
        // Bytes of no number are still read and kept.
        {"OTXT", "'12a4567' 00", "not a number: \"12a4567\""},
        {"OTXT", "'0000648' 00", "not a number: \"0000648\""},
        {"OTXT", "'12 34' 00", "not a number: \"12 34\""},
        {"OTXT", "81 00*7", "not a number: \".\""},
        {"OTXT", "80 80 00*7", "not a number: \"..\""},  // past 63 bits
        {"DTXT", "'9223372036854775808'", "not a number: \"9223372036854775808\""},
        {"DTXT", "'x' 78*39", "not a number: \"" + x40.substr(0, 32) + "...\""},
    };
    for (const auto& [code, bytes, shown] : cases) {
        FieldHarness field(code);
        const int64_t length = static_cast<int64_t>(bytesOf(bytes).size());
        EXPECT_EQ(field.read(bytesOf(bytes)), length) << code << " " << bytes;
        EXPECT_EQ(field.shown(), shown) << code << " " << bytes;
        EXPECT_EQ(field.size(), length) << code;
        int64_t result = -1;
        EXPECT_EQ(field.written(&result), bytesOf(bytes)) << code << " " << bytes;
        EXPECT_EQ(result, length) << code;
    }
}

TEST_F(BoundedTypes, ReadingStartsAtThePositionTakesShortReadsAndRefusesBytesThatNeverCome) {
    std::vector<unsigned char> bytes(200000, 0x5A);
    bytes[0] = 1;
    TrickleStream trickle(bytes);
    FieldHarness field("BYTS");
    EXPECT_EQ(field.read(trickle, 1), 199999);
    int64_t result = 0;
    EXPECT_EQ(field.written(&result), std::vector<unsigned char>(199999, 0x5A));

    ShortStream shortStream(bytesOf("'abc'"));
    EXPECT_EQ(field.read(shortStream, 0), kResultPastEnd);
    EXPECT_EQ(field.size(), 0);
}

// Edits keep the field's length, which the rows after it were laid out by.
TEST_F(BoundedTypes, EnteredTextIsTakenOnlyWhereItFitsTheFieldAsItIs) {
    const std::tuple<const char*, const char*, const char*, int, const char*> cases[] = {
        {"BYTS", "41 42 43", "61 62 63", 1, "'abc'"},
        {"BYTS", "41 42 43", " 6A6b 6C ", 1, "'jkl'"},
        {"BYTS", "41 42 43", "61 62", 0, "'ABC'"},
        {"BYTS", "41 42 43", "61 62 63 64", 0, "'ABC'"},
        {"BYTS", "41 42 43", "61 6 263", 0, "'ABC'"},
        {"BYTS", "41 42 43", "zz 62 63", 0, "'ABC'"},
        {"BYTS", "", "", 1, ""},
        {"padn", "00 00", "ff ff", 1, "FF FF"},
        {"TEXT", "'abc' 00 00 00", "xy", 1, "'xy' 00*4"},
        {"TEXT", "'abc' 00 00 00", "abcdef", 1, "'abcdef'"},
        {"TEXT", "'abc' 00 00 00", "abcdefg", 1, "'abcdefg'"},
        {"text", "'ab' 00 'zz'", "", 1, "00*5"},
        // Octal after a leading 0 or 0o, decimal otherwise; right-aligned in the digits' span.
        {"OTXT", "'0000644' 00", "0755", 1, "'0000755' 00"},
        {"OTXT", "'0000644' 00", "0o17", 1, "'0000017' 00"},
        {"OTXT", "'0000644' 00", "493", 1, "'0000755' 00"},
        {"OTXT", "'0000644' 00", "2097151", 1, "'7777777' 00"},
        {"OTXT", "'0000644' 00", "2097152", 0, "'0000644' 00"},
        {"OTXT", "'0000644' 00", "08", 0, "'0000644' 00"},
        {"OTXT", "'0000644' 00", "-1", 0, "'0000644' 00"},
        {"OTXT", "'00000001750 '", "8", 1, "'00000000010 '"},
        {"OTXT", "'   644 ' 00", "1", 1, "'000001 ' 00"},
        {"OTXT", "00*8", "10", 1, "'0000012' 00"},
        {"OTXT", "20*8", "0", 1, "'0000000 '"},
        {"DTXT", "'1234' 20*6", "9999", 1, "'9999' 20*6"},
        {"DTXT", "'1234' 20*6", "10000", 0, "'1234' 20*6"},
        {"dtxt", "'0644' 00", "0644", 1, "'0644' 00"},
        {"OTXT", "80 00*11", "8589934592", 1, "80 00*6 02 00 00 00 00"},
        {"OTXT", "80 00 00", "65535", 1, "80 FF FF"},
        {"OTXT", "80 00 00", "65536", 0, "80 00 00"},
        {"OTXT", "'12a4567' 00", "5", 0, "'12a4567' 00"},
    };
    for (const auto& [code, bytes, text, accepted, written] : cases) {
        FieldHarness field(code);
        field.read(bytesOf(bytes));
        EXPECT_EQ(field.setText(text), accepted) << code << " " << bytes << " " << text;
        int64_t result = -1;
        EXPECT_EQ(field.written(&result), bytesOf(written)) << code << " " << bytes << " " << text;
    }
}

// The dialog stays open on a refused answer and says why, naming what the field holds; bytes of no
// number are not offered at all.
TEST_F(BoundedTypes, TheDialogProposesTheValueAndRefusesAnswersThatDoNotFitWithTheReason) {
    const std::string longBytes(4097, 'a');
    const std::tuple<const char*, std::string, std::vector<const char*>, int, const char*, const char*>
        cases[] = {
            {"BYTS",
             "41 42 43",
             {"61 62", "61 62 63"},
             1,
             "Data (3 bytes in hexadecimal)|41 42 43",
             "The field holds 3 bytes: type exactly that many."},
            {"BYTS",
             "41 42 43",
             {"6"},
             0,
             "Data (3 bytes in hexadecimal)|41 42 43",
             "That is no run of bytes: type two hexadecimal digits a byte, spaces between bytes if you "
             "like."},
            {"BYTS",
             "'" + longBytes + "'",
             {"61"},
             0,
             "Data (4097 bytes in hexadecimal)|",
             "The field holds 4097 bytes, too many to edit as text (4096 at most)."},
            {"TEXT", "'ab' 00 00", {"abcde"}, 1, "Data (4 bytes; longer text makes the field longer where the template allows)|ab", ""},
            {"OTXT",
             "'0000644' 00",
             {"x", "010000000", "0644"},
             1,
             "Data (0 to 2097151; octal after 0 or 0o, up to 07777777)|420",
             "The field has room for numbers from 0 to 2097151 (07777777): type one in that range."},
            {"DTXT",
             "'12' 00",
             {"100"},
             0,
             "Data (0 to 99)|12",
             "The field has room for numbers from 0 to 99: type one in that range."},
            {"OTXT", "'12a4567' 00", {"5"}, 0, nullptr, ""},
        };
    for (const auto& [code, bytes, answers, result, question, refusal] : cases) {
        queryscript::reset();
        FieldHarness field(code, "Data");
        field.read(bytesOf(bytes));
        for (const char* answer : answers) queryscript::answer(answer);
        EXPECT_EQ(field.edit(), result) << code;
        EXPECT_EQ(queryscript::lastQuestion(), question ? std::string("Enter value:|") + question : "")
            << code;
        EXPECT_EQ(queryscript::lastRefusal(), refusal) << code;
    }
}

// Byte arrays and text hold no number for expressions; a field of no number holds none either.
TEST_F(BoundedTypes, OnlyNumbersWrittenAsDigitsHandTheirValueToExpressions) {
    const std::tuple<const char*, const char*, bool, int64_t> cases[] = {
        {"OTXT", "'0000644' 00", true, 420}, {"dtxt", "'1234' 20", true, 1234},
        {"OTXT", "00*8", true, 0},           {"OTXT", "80 7F FF*7", true, INT64_MAX},
        {"DTXT", "'12a' 00", false, 0},      {"BYTS", "'12' 00", false, 0},
        {"TEXT", "'12' 00", false, 0},
    };
    for (const auto& [code, bytes, holds, expected] : cases) {
        FieldHarness field(code);
        field.read(bytesOf(bytes));
        int64_t number = -1;
        const bool got = numberOfValue(field.instance(), &number);
        EXPECT_EQ(std::make_tuple(got, got ? number : 0), std::make_tuple(holds, expected))
            << code << " " << bytes;
    }
}

}  // namespace
