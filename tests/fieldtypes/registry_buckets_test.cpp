#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fieldtypes/registry.h"
#include "shell/ui_strings.h"

namespace {

FieldTypeProcs emptyTable() {
    FieldTypeProcs table{};
    table.length = kFieldTypeProcsLength;
    return table;
}
FieldTypeProcs tableA = emptyTable();
FieldTypeProcs tableB = emptyTable();

struct Registry : testing::Test {
    void SetUp() override { ensureRegistry(); }
    void TearDown() override { destroyRegistry(); }

    static std::vector<std::string> bucket(char fourth) {
        std::vector<std::string> codes;
        unsigned index = static_cast<unsigned char>(fourth);
        for (int32_t i = 0; i < fieldTypeRegistry->counts[index]; ++i) {
            FieldCode code = fieldTypeRegistry->arrays[index][i]->code;
            codes.push_back(std::string(reinterpret_cast<const char*>(&code), 4));
        }
        return codes;
    }
    static void registerAll(std::initializer_list<FieldCode> codes) {
        for (FieldCode code : codes) ASSERT_NE(registerFieldType(code, "n", 0, &tableA), nullptr);
    }
};

TEST(FieldCodes, FirstCharacterIsTheLeastSignificantByte) {
    EXPECT_EQ(makeFieldCode("DWRD"), 0x44525744u);
    EXPECT_EQ(fieldCodeOf("DWRD"), 0x44525744u);
    EXPECT_NE(makeFieldCode("dWRD"), makeFieldCode("DWRD"));
}

TEST(FieldCodes, UpperCaseCodesSortBelowA000) {
    struct Case {
        const char* code;
        bool upper;
    } cases[] = {{"DWRD", true},
                 {"dwrd", false},
                 {"ZZZZ", true},
                 {"a000", false},
                 {"`zzz", true},
                 {"\x80"
                  "ABC",
                  false},
                 {"????", true}};
    for (const Case& c : cases) EXPECT_EQ(isUpperCaseCode(fieldCodeOf(c.code)), c.upper) << c.code;
}

TEST_F(Registry, BucketsAreSortedByThirdThenSecondThenFirstCharacter) {
    registerAll({makeFieldCode("UQWD"), makeFieldCode("DWRD"), makeFieldCode("HQWD"), makeFieldCode("FWRD"),
                 makeFieldCode("UWRD"), makeFieldCode("DQWD"), makeFieldCode("HWRD"), makeFieldCode("FQWD")});
    EXPECT_EQ(bucket('D'),
              (std::vector<std::string>{"DWRD", "FWRD", "HWRD", "UWRD", "DQWD", "FQWD", "HQWD", "UQWD"}));
    registerAll({makeFieldCode("PSTR"), makeFieldCode("DVDR"), makeFieldCode("WSTR"), makeFieldCode("LSTR"),
                 makeFieldCode("QSTR"), makeFieldCode("dvdr")});
    EXPECT_EQ(bucket('R'), (std::vector<std::string>{"DVDR", "LSTR", "PSTR", "QSTR", "WSTR"}));
    EXPECT_EQ(bucket('r'), (std::vector<std::string>{"dvdr"}));
}

TEST_F(Registry, FirstRegistrationWinsAndKeepsItsOwnCopyOfTheTable) {
    FieldTypeProcs mine = emptyTable();
    FieldType* first = registerFieldType(makeFieldCode("DWRD"), "Decimal word (BE)", 7, &mine);
    ASSERT_NE(first, nullptr);
    mine.length = 99;  // changing the caller's table later does not reach the entry
    EXPECT_EQ(registerFieldType(makeFieldCode("DWRD"), "other", 0, &tableB), nullptr);
    FieldType* found = findFieldType(makeFieldCode("DWRD"));
    EXPECT_EQ(found, first);
    EXPECT_EQ(found->procs.length, kFieldTypeProcsLength);
    EXPECT_STREQ(found->name, "Decimal word (BE)");
    EXPECT_EQ(found->flags, 7u);
}

TEST_F(Registry, LookupsAreCaseSensitiveAndEmptyBucketsHoldNothing) {
    registerAll({makeFieldCode("DWRD")});
    EXPECT_EQ(findFieldType(makeFieldCode("dWRD")), nullptr);
    EXPECT_EQ(findFieldType(makeFieldCode("DWRX")), nullptr);
    EXPECT_EQ(fieldTypeRegistry->arrays[static_cast<unsigned char>('X')], nullptr);
    EXPECT_EQ(findFieldType(makeFieldCode("AAAA")), nullptr);
}

TEST_F(Registry, BucketsGrowBy128) {
    const unsigned bucket = 'Q';
    for (int i = 0; i < 129; ++i) {
        FieldCode code = static_cast<FieldCode>('A' + i % 26) | static_cast<FieldCode>('A' + i / 26) << 8 |
                         static_cast<FieldCode>('0') << 16 | static_cast<FieldCode>('Q') << 24;
        ASSERT_NE(registerFieldType(code, "n", 0, &tableA), nullptr) << i;
        EXPECT_EQ(fieldTypeRegistry->capacities[bucket], i < 128 ? 128 : 256);
        ASSERT_EQ(findFieldType(code)->code, code);
    }
    for (int32_t i = 1; i < fieldTypeRegistry->counts[bucket]; ++i) {
        EXPECT_LT(fieldTypeRegistry->arrays[bucket][i - 1]->code, fieldTypeRegistry->arrays[bucket][i]->code);
    }
}

}  // namespace
