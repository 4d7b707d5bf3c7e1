// A template's rows in memory: changing them, and what link and resolve make of them.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "shell/strings.h"
#include "shell/ui_strings.h"
#include "support/debug_capture.h"
#include "support/temp_dir.h"
#include "template_builder.h"
#include "templates/invalid_template_message.h"
#include "templates/template.h"

namespace {

using TemplateModel = TemplateTest;

TEST_F(TemplateModel, NewRowsCopyTheirTextsAndGrowTheArrayBySixtyFour) {
    Template t;
    char caption[] = "Width";
    TemplateField* field = t.appendField("DWRD", caption);
    caption[0] = 'X';
    TemplateField* bare = t.appendField(nullptr, nullptr);
    EXPECT_EQ(
        std::make_tuple(std::string(field->caption), std::string(bare->caption), codeOf(bare), bare->extra),
        std::make_tuple(std::string("Width"), std::string(), std::string(4, '\0'), 0u));
    EXPECT_EQ(t.fieldCapacity, 64);
    while (t.fieldCount < 65) t.appendField("DWRD", nullptr);
    EXPECT_EQ(t.fieldCapacity, 128);
    expectChained(t);
}

TEST_F(TemplateModel, InsertAndRemoveKeepTheChainAndClearBothMarksWhenTheyChangeSomething) {
    const std::tuple<char, int32_t, const char*> changes[] = {
        {'+', 0, "NEW_ AAAA BBBB CCCC"}, {'+', 1, "AAAA NEW_ BBBB CCCC"}, {'+', 3, "AAAA BBBB CCCC NEW_"},
        {'-', 0, "BBBB CCCC"},           {'-', 1, "AAAA CCCC"},           {'-', 2, "AAAA BBBB"},
        {'+', -1, "AAAA BBBB CCCC"},     {'+', 4, "AAAA BBBB CCCC"},      {'-', 3, "AAAA BBBB CCCC"}};
    for (auto [change, at, codes] : changes) {
        Template t;
        appendCodes(t, "AAAA BBBB CCCC");
        t.linked = t.resolved = true;
        change == '+' ? (void)t.insertField(at, "NEW_", nullptr) : t.removeField(at);
        EXPECT_EQ(codesOf(t), codes) << change << at;
        EXPECT_EQ(t.linked || t.resolved, !std::strcmp(codes, "AAAA BBBB CCCC")) << change << at;
        expectChained(t);
    }
}

TEST_F(TemplateModel, IndexOfFindsARowFromAnyHint) {
    Template t;
    appendCodes(t, "AAAA BBBB CCCC");
    const std::tuple<const TemplateField*, int32_t, int32_t> cases[] = {
        {t.fields[0], 0, 0},  {t.fields[0], 2, 0}, {t.fields[2], 0, 2},
        {t.fields[1], -5, 1}, {t.fields[2], 9, 2}, {nullptr, 1, -1}};
    for (auto [field, hint, index] : cases) EXPECT_EQ(t.indexOf(field, hint), index) << hint;
    const TemplateField* removed = t.fields[2];
    t.removeField(2);
    // The slot it leaves behind the last row is not searched, whatever the hint.
    EXPECT_EQ(std::make_pair(t.indexOf(removed, 0), t.indexOf(removed, 2)), std::make_pair(-1, -1));
}

TEST_F(TemplateModel, CloneIsADeepCopyLinkedAndResolvedWhereItCan) {
    registerCodes("DWRD");
    Template t;
    t.appendField("LSTB", std::string(300, 'c').c_str());
    appendCodes(t, "DWRD LSTE PSTR");
    std::unique_ptr<Template> invalid(t.clone());
    t.removeField(3);
    std::unique_ptr<Template> valid(t.clone()), none(Template().clone());
    ASSERT_TRUE(invalid && valid && none);
    EXPECT_EQ(codesOf(*valid) + " " + structureOf(*valid), "LSTB DWRD LSTE 0:-:2 1:0:- 0:-:0");
    EXPECT_TRUE(valid->fieldCapacity == 3 && none->fieldCapacity == 0);
    EXPECT_EQ(std::strlen(valid->fields[0]->caption), 300u);
    EXPECT_NE(valid->fields[0]->caption, t.fields[0]->caption);
    EXPECT_TRUE(valid->resolved && !invalid->resolved && invalid->linked);
    expectChained(*valid);
}

// The codes, and what link makes of them: depth:parent:partner per row, * for a key field with cases.
const std::pair<const char*, const char*> kLinkCases[] = {
    {"DWRD OCNT LSTC PSTR DWRD LSTE DVDR", "0:-:- 0:-:- 0:-:5 1:2:- 1:2:- 0:-:2 0:-:-"},
    {"LSTB DWRD LSTE", "0:-:2 1:0:- 0:-:0"},
    {"KEYB DWRD KEYE", "0:-:2 1:0:- 0:-:0"},
    {"BSIZ DWRD SKPE", "0:-:2 1:0:- 0:-:0"},
    {"LSTC DWRD KEYE", "0:-:2 1:0:- 0:-:0"},
    {"LSTB LSTB LSTE LSTE", "0:-:3 1:0:2 1:0:1 0:-:0"},
    {"DWRD DWRD DWRD LSTB DWRD LSTS DWRD", "0:-:- 0:-:- 0:-:- 0:-:- 1:3:- 1:3:- 2:5:-"},
    {"DWRD KBYT CASE CASE CASE DWRD", "0:-:- 0:-:-* 1:1:- 1:1:- 1:1:- 0:-:-"},
    {"CASE DWRD", "1:-:- 0:-:-"},
    {"LSTB CASE DWRD LSTE", "0:-:3 2:-:- 1:0:- 0:-:0"},
    {"LSTB DWRD LSTE CASE", "0:-:2 1:0:- 0:-:0* 1:2:-"},
    {"keyb kbyt case case keye", "0:-:4 1:0:-* 2:1:- 2:1:- 0:-:0"},
    {"Lstb DWRD lstE Case", "0:-:- 0:-:- 0:-:- 0:-:-"},
};

TEST_F(TemplateModel, GivesDepthParentPartnerAndCaseMarks) {
    for (auto [codes, structure] : kLinkCases) {
        Template t;
        appendCodes(t, codes);
        t.link();
        EXPECT_EQ(structureOf(t) + (t.linked ? "" : " unlinked"), structure) << codes;
    }
}

TEST_F(TemplateModel, RemovingAnOpeningRowLeavesNoStaleLinksAndItsClosingRowIsLogged) {
    Template t;
    appendCodes(t, "LSTB DWRD LSTE KEYB KBYT CASE KEYE");
    t.name = DupString("a.tmpl");
    t.link();
    t.removeField(0);  // the removed row is no longer any row's parent or partner
    EXPECT_TRUE(!t.fields[0]->parent && !t.fields[1]->partner);
    testsupport::DebugCapture output;
    t.link();
    EXPECT_EQ(output.text(), "Bad field: LSTE (\"row 2\") at line 1 of template a.tmpl\n");
    EXPECT_EQ(structureOf(t), "0:-:- 0:-:- 0:-:- 0:-:- 0:-:- 0:-:-");
}

TEST_F(TemplateModel, HundredThousandNestedSectionsNeedNoDeepStack) {
    constexpr int32_t kDepth = 100000;
    std::string records;
    for (const char* code : {"\0LSTB", "\0LSTE"})
        for (int32_t i = 0; i < kDepth; ++i) records.append(code, 5);
    testsupport::TempDir dir;
    dir.write("deep.tmpl", records);
    Template t;
    ASSERT_EQ(t.load(dir.path("deep.tmpl").c_str()), 0);
    for (int32_t i : {0, 1, kDepth - 1}) {
        const TemplateField *opening = t.fields[i], *closing = t.fields[2 * kDepth - 1 - i];
        EXPECT_TRUE(opening->depth == i && closing->depth == i) << i;
        EXPECT_TRUE(opening->partner == closing && closing->partner == opening) << i;
        EXPECT_EQ(closing->parent, i > 0 ? t.fields[i - 1] : nullptr);
    }
}

TEST(ControlCodes, AreTheThirtyNineInUpperOrLowerCase) {
    const std::string upper =
        "BCNT BLEN BSIZ BSKP BZCT CASE KEYB KEYE LCNT LLEN LSIZ LSKP LSTB LSTC LSTE LSTS LSTZ LZCT OCNT QCNT "
        "QLEN QSIZ QSKP QZCT SKPE WCNT WLEN WSIZ WSKP WZCT BITS CALC KEYV LSTL LSTN LSTU ORDR SECT WHEN";
    std::string lower = upper;
    for (char& c : lower) c = static_cast<char>(std::tolower(c));
    for (size_t at = 0; at < upper.size(); at += 5)
        EXPECT_TRUE(isControlCode(&upper[at]) && isControlCode(&lower[at])) << upper.substr(at, 4);
    for (const char* code : {"KBYT", "DWRD", "????", "Lstb", "lSTB", "LST\0", "BLN\0"})
        EXPECT_FALSE(isControlCode(code)) << code;
}

const std::tuple<const char*, int, int32_t> kResolveCases[] = {
    {"", 0, 0},
    {"OCNT LSTC CASE KEYE keyb lste bsiz", 0, 0},
    {"DWRD OCNT LSTC PSTR DWRD LSTE DVDR", 0, 0},
    {"DWRD ????", -4, 1},
    {"BSIZ DWRD SKPE", 0, 0},
    {"KEYB KBYT CASE KEYE", -4, 1},
    {"dwrd", -4, 0},
};

TEST_F(TemplateModel, LooksUpEveryCodeThatIsNoControlCode) {
    registerCodes("DWRD PSTR DVDR");
    for (auto [codes, result, errorRow] : kResolveCases) {
        Template t;
        appendCodes(t, codes);
        EXPECT_EQ(t.resolve(), result) << codes;
        EXPECT_TRUE(t.errorRow == errorRow && t.resolved == (result == 0)) << codes;
        for (int32_t i = 0; i < (result == 0 ? t.fieldCount : errorRow); ++i) {
            const TemplateField* f = t.fields[i];
            EXPECT_EQ(f->fieldType, isControlCode(f->code) ? nullptr : findFieldType(fieldCodeOf(f->code)))
                << codes << ", row " << i;
        }
    }
}

// A value past 64 bits would match the number it wraps to; words that are no number stay labels.
TEST_F(TemplateModel, ACaseValuePast64BitsMakesTheTemplateInvalid) {
    const std::pair<const char*, bool> captions[] = {
        {"18446744073709551615, -9223372036854775808, $ffffffffffffffff: largest", true},
        {"1st, 0x1G, 'abc', *: words that are no number", true},
        {"18446744073709551617: past 64 bits", false},
        {"2, $10000000000000000", false},
        {"-9223372036854775809", false},
    };
    for (auto [caption, valid] : captions) {
        Template t;
        t.appendField("KEYB", "");
        t.appendField("CASE", caption);
        EXPECT_EQ(t.resolve(), valid ? 0 : -4) << caption;
        EXPECT_EQ(t.errorRow, valid ? 0 : 1) << caption;
        EXPECT_EQ(t.errorMessage != nullptr, !valid) << caption;  // the message says why
    }
}

// Names reach rows before the row, in its own section or around it, and through a path into the
// last item of a list closed before it; a caption that does not parse names its column.
TEST_F(TemplateModel, ParametersParseOnceAndNameOnlyRowsTheyCanSee) {
    registerCodes("UBYT PSTR KNAM");
    const std::tuple<std::vector<std::pair<const char*, const char*>>, int32_t, int32_t, const char*> cases[] = {
        {{{"UBYT", "Bits per pixel (1 to 32)"}, {"CALC", "Colours = 1 << bits_per_PIXEL"}}, -1, -1, nullptr},
        {{{"UBYT", "A"}, {"LSTN", "Item = A"}, {"UBYT", "B"}, {"CALC", "C = A + B"}, {"LSTE", ""}}, -1, -1, nullptr},
        {{{"UBYT", "A"}, {"LSTN", "E = A"}, {"UBYT", "B"}, {"LSTE", ""}, {"CALC", "C = E.B + A"}}, -1, -1, nullptr},
        {{{"LSTU", "Blocks = Size == 0"}, {"UBYT", "Size"}, {"LSTE", ""}}, -1, -1, nullptr},
        // Rows of closed cases and conditions are seen after them; binding tells whether it read them.
        {{{"KEYB", ""}, {"KNAM", "Type"}, {"CASE", "'A'"}, {"UBYT", "X"}, {"KEYE", ""}, {"CALC", "C = Type + X"}}, -1, -1, nullptr},
        {{{"UBYT", "A"}, {"LSTN", "E = A"}, {"UBYT", "B"}, {"LSTE", ""}, {"CALC", "C = B"}}, 4, 4, "no earlier row has this name"},
        {{{"UBYT", "A"}, {"LSTN", "E = A"}, {"CALC", "C = E.B"}, {"UBYT", "B"}, {"LSTE", ""}}, -1, -1, nullptr},
        {{{"UBYT", "A"}, {"LSTN", "E = A"}, {"UBYT", "B"}, {"LSTE", ""}, {"CALC", "C = E.X"}}, 4, 4, "no earlier row has this name"},
        {{{"CALC", "X = Y"}, {"UBYT", "Y"}}, 0, 4, "no earlier row has this name"},
        {{{"PSTR", "Name"}, {"LSTN", "E = 1"}, {"LSTE", ""}, {"CALC", "X = E + 1"}}, 3, 4, "no earlier row has this name"},
        {{{"UBYT", "A"}, {"CALC", "X = A +"}}, 1, 7, "a value expected"},
        {{{"CALC", "No parameters"}}, 0, 13, "\"=\" expected"},
        {{{"BITS", "B = 1, 2, 3"}}, 0, 10, "too many values"},
        {{{"SECT", "S = "}}, 0, 4, "a value expected"},
    };
    for (const auto& [rows, errorRow, errorColumn, message] : cases) {
        Template t;
        for (auto [code, caption] : rows) t.appendField(code, caption);
        EXPECT_EQ(t.resolve(), message ? -4 : 0) << rows.back().second;
        EXPECT_EQ(t.errorRow, message ? errorRow : 0) << rows.back().second;
        EXPECT_EQ(t.errorColumn, errorColumn) << rows.back().second;
        EXPECT_STREQ(t.errorMessage, message) << rows.back().second;
    }
    Template t;
    t.appendField("UBYT", "A");
    t.appendField("CALC", "X = A $");
    ASSERT_EQ(t.resolve(), -4);
    char text[kInvalidTemplateMessageSize];
    BuildUIStrings();
    formatInvalidTemplateMessage(t, text);
    FreeUIStrings();
    EXPECT_NE(std::strstr(text, "Error on row 1, field CALC: \"X = A $\". Column 7: an operator or \",\" expected."),
              nullptr)
        << text;
}

TEST_F(TemplateModel, SucceedsOnceTheMissingTypeIsRegisteredAndThenStaysResolved) {
    registerCodes("DWRD");
    Template t;
    appendCodes(t, "DWRD KBYT");
    EXPECT_EQ(t.resolve(), -4);
    registerCodes("KBYT");
    EXPECT_EQ(t.resolve(), 0);
    EXPECT_EQ(t.errorRow, 0);
    std::memcpy(t.fields[1]->code, "????", 4);  // changed in place: the mark stays
    EXPECT_EQ(t.resolve(), 0);
}

}  // namespace
