#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "fieldtypes/registry.h"

namespace {

struct Registry : testing::Test {
    FieldTypeProcs table{};  // no procedures
    void SetUp() override {
        table.length = kFieldTypeProcsLength;
        ensureRegistry();
    }
    void TearDown() override { destroyRegistry(); }

    // The codes of a bucket in order, each followed by a space.
    static std::string bucket(char fourth) {
        std::string codes;
        unsigned index = static_cast<unsigned char>(fourth);
        for (int32_t i = 0; i < fieldTypeRegistry->counts[index]; ++i)
            codes.append(reinterpret_cast<const char*>(&fieldTypeRegistry->arrays[index][i]->code), 4)
                .append(" ");
        return codes;
    }
    void registerAll(const char* codes) {
        for (size_t at = 0; codes[at]; at += codes[at + 4] ? 5 : 4)
            ASSERT_NE(registerFieldType(fieldCodeOf(codes + at), "n", 0, &table), nullptr);
    }
};

// The first character is the least significant byte; upper-case codes sort below "a000".
TEST(FieldCodes, FirstCharacterIsTheLeastSignificantByte) {
    EXPECT_TRUE(makeFieldCode("DWRD") == 0x44525744u && fieldCodeOf("DWRD") == 0x44525744u);
    EXPECT_NE(makeFieldCode("dWRD"), makeFieldCode("DWRD"));
    for (const char* code : {"DWRD", "ZZZZ", "`zzz", "????"})
        EXPECT_TRUE(isUpperCaseCode(fieldCodeOf(code))) << code;
    for (const char* code : {"dwrd", "a000", "\x80XYZ"})
        EXPECT_FALSE(isUpperCaseCode(fieldCodeOf(code))) << code;
}

TEST_F(Registry, BucketsAreSortedByThirdThenSecondThenFirstCharacter) {
    registerAll("UQWD DWRD HQWD FWRD UWRD DQWD HWRD FQWD");
    EXPECT_EQ(bucket('D'), "DWRD FWRD HWRD UWRD DQWD FQWD HQWD UQWD ");
    registerAll("PSTR DVDR WSTR LSTR QSTR dvdr");
    EXPECT_EQ(bucket('R'), "DVDR LSTR PSTR QSTR WSTR ");
    EXPECT_EQ(bucket('r'), "dvdr ");
}

TEST_F(Registry, FirstRegistrationWinsAndKeepsItsOwnCopyOfTheTable) {
    FieldTypeProcs mine = table;
    FieldType* first = registerFieldType(makeFieldCode("DWRD"), "Decimal word (BE)", 7, &mine);
    ASSERT_NE(first, nullptr);
    mine.length = 99;  // changing the caller's table later does not reach the entry
    EXPECT_EQ(registerFieldType(makeFieldCode("DWRD"), "other", 0, &table), nullptr);
    FieldType* found = findFieldType(makeFieldCode("DWRD"));
    EXPECT_EQ(std::make_tuple(found, found->procs.length, std::string(found->name), found->flags),
              std::make_tuple(first, kFieldTypeProcsLength, std::string("Decimal word (BE)"), 7u));
}

TEST_F(Registry, LookupsAreCaseSensitiveAndEmptyBucketsHoldNothing) {
    registerAll("DWRD");
    for (const char* code : {"dWRD", "DWRX", "AAAA"})
        EXPECT_EQ(findFieldType(fieldCodeOf(code)), nullptr) << code;
    EXPECT_EQ(fieldTypeRegistry->arrays[static_cast<unsigned char>('X')], nullptr);
}

TEST_F(Registry, BucketsGrowBy128) {
    const unsigned bucket = 'Q';
    for (int i = 0; i < 129; ++i) {
        FieldCode code = static_cast<FieldCode>('A' + i % 26) | static_cast<FieldCode>('A' + i / 26) << 8 |
                         static_cast<FieldCode>('0') << 16 | static_cast<FieldCode>('Q') << 24;
        ASSERT_NE(registerFieldType(code, "n", 0, &table), nullptr) << i;
        EXPECT_EQ(fieldTypeRegistry->capacities[bucket], i < 128 ? 128 : 256);
        ASSERT_EQ(findFieldType(code)->code, code);
    }
    for (int32_t i = 1; i < fieldTypeRegistry->counts[bucket]; ++i) {
        EXPECT_LT(fieldTypeRegistry->arrays[bucket][i - 1]->code, fieldTypeRegistry->arrays[bucket][i]->code);
    }
}

}  // namespace
