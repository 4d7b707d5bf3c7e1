#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "template_builder.h"
#include "templates/template.h"

using templatetest::appendCodes;
using templatetest::codeOf;
using templatetest::expectChained;

namespace {

using TemplateModel = templatetest::RegistryTest;

std::string codesOf(const Template& t) {
    std::string codes;
    for (int32_t i = 0; i < t.fieldCount; ++i) codes += (i ? " " : "") + codeOf(t.fields[i]);
    return codes;
}

TEST_F(TemplateModel, NewRowsCopyTheirTextsAndGrowTheArrayBySixtyFour) {
    Template t;
    char caption[] = "Width";
    TemplateField* field = t.appendField("DWRD", caption);
    caption[0] = 'X';
    TemplateField* bare = t.appendField(nullptr, nullptr);
    EXPECT_STREQ(field->caption, "Width");
    EXPECT_STREQ(bare->caption, "");
    EXPECT_EQ(codeOf(bare), std::string(4, '\0'));
    EXPECT_EQ(bare->extra, 0u);
    EXPECT_EQ(t.fieldCapacity, 64);
    while (t.fieldCount < 65) t.appendField("DWRD", nullptr);
    EXPECT_EQ(t.fieldCapacity, 128);
    expectChained(t);
}

TEST_F(TemplateModel, InsertAndRemoveKeepTheChainAndClearBothMarksWhenTheyChangeSomething) {
    const struct {
        const char* change;
        void (*apply)(Template&);
        const char* codes;
    } changes[] = {
        {"insert first", [](Template& t) { t.insertField(0, "NEW_", nullptr); }, "NEW_ AAAA BBBB CCCC"},
        {"insert inside", [](Template& t) { t.insertField(1, "NEW_", nullptr); }, "AAAA NEW_ BBBB CCCC"},
        {"insert at the end", [](Template& t) { t.insertField(3, "NEW_", nullptr); }, "AAAA BBBB CCCC NEW_"},
        {"remove first", [](Template& t) { t.removeField(0); }, "BBBB CCCC"},
        {"remove inside", [](Template& t) { t.removeField(1); }, "AAAA CCCC"},
        {"remove last", [](Template& t) { t.removeField(2); }, "AAAA BBBB"},
        {"insert below 0", [](Template& t) { t.insertField(-1, "NEW_", nullptr); }, "AAAA BBBB CCCC"},
        {"insert past the end", [](Template& t) { t.insertField(4, "NEW_", nullptr); }, "AAAA BBBB CCCC"},
        {"remove past the end", [](Template& t) { t.removeField(3); }, "AAAA BBBB CCCC"},
    };
    for (const auto& c : changes) {
        Template t;
        appendCodes(t, "AAAA BBBB CCCC");
        t.linked = t.resolved = true;
        c.apply(t);
        EXPECT_EQ(codesOf(t), c.codes) << c.change;
        bool changed = std::strcmp(c.codes, "AAAA BBBB CCCC") != 0;
        EXPECT_EQ(t.linked || t.resolved, !changed) << c.change;
        expectChained(t);
    }
}

TEST_F(TemplateModel, CloneIsADeepCopyLinkedAndResolvedWhereItCan) {
    registerCodes("DWRD");
    Template t;
    t.appendField("LSTB", std::string(300, 'c').c_str());
    appendCodes(t, "DWRD LSTE PSTR");
    Template* invalid = t.clone();
    t.removeField(3);
    Template* valid = t.clone();
    Template empty;
    Template* none = empty.clone();
    ASSERT_TRUE(invalid && valid && none);
    EXPECT_EQ(codesOf(*valid), "LSTB DWRD LSTE");
    EXPECT_EQ(valid->fieldCapacity, 3);
    EXPECT_EQ(std::strlen(valid->fields[0]->caption), 300u);
    EXPECT_NE(valid->fields[0]->caption, t.fields[0]->caption);
    EXPECT_EQ(templatetest::structureOf(*valid), "0:-:2 1:0:- 0:-:0");
    EXPECT_TRUE(valid->resolved);
    EXPECT_FALSE(invalid->resolved);
    EXPECT_TRUE(invalid->linked);
    expectChained(*valid);
    EXPECT_EQ(none->fieldCapacity, 0);
    delete invalid;
    delete valid;
    delete none;
}

}  // namespace
