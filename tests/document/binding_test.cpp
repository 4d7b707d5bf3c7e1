#include <gtest/gtest.h>

#include <string>

#include "document/document_harness.h"

namespace {

struct Binding : DocumentTest {};

struct BindCase {
    const char* name;
    std::string rows;
    Bytes bytes;
    int64_t result;
    std::string shown;
};

TEST_F(Binding, LaysTheTemplateOverTheFile) {
    const BindCase cases[] = {
        {"empty template", "", {1, 2}, 0, ""},
        {"file shorter than the template", "DWRD DLNG UQWD", {0x12, 0x34}, 0, "DWRD 4660;DLNG 0;UQWD 0"},
        {"divider takes no bytes", "DVDR DWRD", {0x12, 0x34}, 0, "DVDR;DWRD 4660"},
        {"big-endian count",
         "WCNT LSTC UBYT LSTE",
         {0, 3, 7, 8, 9},
         0,
         "WCNT 3;LSTC #0;.UBYT 7;LSTC #1;.UBYT 8;LSTC #2;.UBYT 9;LSTE"},
        {"little-endian count",
         "wcnt LSTC UBYT LSTE",
         {3, 0, 7, 8, 9},
         0,
         "wcnt 3;LSTC #0;.UBYT 7;LSTC #1;.UBYT 8;LSTC #2;.UBYT 9;LSTE"},
        {"zero-based count of 0 makes one item",
         "BZCT LSTC UBYT LSTE",
         {0, 5},
         0,
         "BZCT 0;LSTC #0;.UBYT 5;LSTE"},
        {"count of 0 makes none", "BCNT LSTC UBYT LSTE UBYT", {0, 5}, 0, "BCNT 0;LSTC #0;LSTE;UBYT 5"},
        {"negative count makes none", "WCNT LSTC UBYT LSTE", {0xFF, 0xFF, 5}, 0, "WCNT -1;LSTC #0;LSTE"},
        {"one-byte counts are unsigned", "BCNT", {0xC8}, 0, "BCNT 200"},
        {"two counts serve two lists in order",
         "BCNT BCNT LSTC UBYT LSTE LSTC DBYT LSTE",
         {1, 2, 10, 20, 30},
         0,
         "BCNT 1;BCNT 2;LSTC #0;.UBYT 10;LSTE;LSTC #0;.DBYT 20;LSTC #1;.DBYT 30;LSTE"},
        {"outer count cannot serve an inner list",
         "BCNT BCNT LSTC LSTC UBYT LSTE LSTE",
         {1, 1, 9},
         -2,
         "BCNT 1;BCNT 1;LSTC #0"},
        {"unused count is dropped", "BCNT UBYT", {4, 9}, 0, "BCNT 4;UBYT 9"},
        {"end at the top level", "UBYT LSTE UBYT", {1, 2}, -2, "UBYT 1"},
        {"size rows read their number and go on", "BSIZ UBYT", {3, 9}, 0, "BSIZ 3;.UBYT 9"},
        {"row without a field type", "BSIZ UBYT SKPE UBYT", {3, 9}, -4, "BSIZ 3;.UBYT 9"},
        {"list without a count", "LSTC UBYT LSTE", {1}, -2, ""},
        {"size-bounded list shows its row and stops", "BSIZ LSTB UBYT LSTE LSTE", {4, 1}, -2, "BSIZ 4;.LSTB"},
        {"key section binds only its data",
         "KEYB DBYT CASE DBYT KEYE DBYT",
         {1, 2, 3},
         0,
         ".DBYT 1;.DBYT 2;DBYT 3"},
        {"nested counted lists",
         "BCNT LSTC BCNT LSTC UBYT LSTE LSTE",
         {2, 1, 7, 2, 8, 9},
         0,
         "BCNT 2;LSTC #0;.BCNT 1;.LSTC #0;..UBYT 7;.LSTE;LSTC #1;.BCNT 2;.LSTC #0;..UBYT 8;.LSTC #1;..UBYT "
         "9;.LSTE;"
         "LSTE"},
        {"strings and 64-bit numbers",
         "PSTR qstr uqwd",
         {2, 'h', 'i', 1, 0, 0, 0, 0, 0, 0, 0, 'x', 5, 0, 0, 0, 0, 0, 0, 0},
         0,
         "PSTR hi;qstr x;uqwd 5"},
        {"string longer than any memory",
         "QSTR UBYT",
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 1},
         -9,
         "QSTR"},
    };
    for (const BindCase& c : cases) {
        Document* document = open(c.rows, c.bytes);
        ASSERT_NE(document, nullptr) << c.name;
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(describe(document), c.shown) << c.name;
        EXPECT_TRUE(linksAreSound(document)) << c.name;
    }
}

TEST_F(Binding, InstancesKnowTheirListsAndPartners) {
    Document* document = open("BCNT LSTC UBYT LSTE", {2, 1, 2});
    FieldInstance* count = document->first;
    FieldInstance* firstHeader = count->next;
    FieldInstance* firstItem = firstHeader->next;
    FieldInstance* secondHeader = firstItem->next;
    FieldInstance* end = document->last;
    EXPECT_EQ(firstHeader->listSource, count);
    EXPECT_EQ(secondHeader->listSource, count);
    EXPECT_EQ(end->listSource, count);
    EXPECT_EQ(firstHeader->partner, end);
    EXPECT_EQ(end->partner, firstHeader);
    EXPECT_EQ(secondHeader->partner, nullptr);
    EXPECT_EQ(firstItem->parent, firstHeader);
    EXPECT_EQ(secondHeader->next->parent, secondHeader);
    EXPECT_EQ(firstItem->listSource, nullptr);
    EXPECT_EQ(firstItem->height, tmBold.height);
    EXPECT_EQ(document->instanceCount, 6);
}

TEST_F(Binding, MissingFileAndNewDocumentBindWithInitialValues) {
    Document* missing = create("BZCT LSTC DWRD PSTR LSTE", dir.path("absent.bin").c_str());
    EXPECT_EQ(bindFile(missing), 0);
    Document* fresh = create("BZCT LSTC DWRD PSTR LSTE", nullptr);
    EXPECT_EQ(bindNew(fresh), 0);
    EXPECT_EQ(describe(missing), "BZCT 0;LSTC #0;.DWRD 0;.PSTR;LSTE");
    EXPECT_EQ(describe(fresh), describe(missing));
}

TEST_F(Binding, TheReasonForStoppingIsASentenceForTheUser) {
    const struct {
        std::string rows;
        Bytes bytes;
        BindStop reason;
    } cases[] = {
        {"UBYT", {1}, BindStop::None},
        {"LSTC LSTE", {}, BindStop::MissingCount},
        {"LSTE", {}, BindStop::MisplacedEnd},
        {"LSTS", {}, BindStop::MissingSize},
        {"WSIZ LSTS LSTE", {}, BindStop::SizeBoundedList},
        {"QSTR", {0, 0, 0x10, 0, 0, 0, 0, 0}, BindStop::OutOfMemory},
    };
    for (const auto& c : cases) {
        Document* document = open(c.rows, c.bytes);
        EXPECT_EQ(document->stopReason, c.reason) << c.rows;
        if (c.reason == BindStop::None) {
            EXPECT_EQ(bindStopReason(document), nullptr);
        } else {
            ASSERT_NE(bindStopReason(document), nullptr) << c.rows;
            EXPECT_GT(std::string(bindStopReason(document)).size(), 10u) << c.rows;
        }
    }
}

TEST_F(Binding, AKeyFieldShowsAndStops) {
    const FieldTypeProcs procs = findFieldType(makeFieldCode("UBYT"))->procs;
    ASSERT_TRUE(registerFieldType(makeFieldCode("KBYT"), "key", 0, &procs));
    Document* document = open("UBYT KBYT UBYT", {1, 2, 3});
    EXPECT_EQ(result, -6);
    EXPECT_EQ(document->stopReason, BindStop::KeyField);
    ASSERT_EQ(document->instanceCount, 2);
    EXPECT_EQ(document->last->value, nullptr);
}

TEST_F(Binding, AFieldTypeThatMakesNoValueStopsWithoutLeavingAnEmptyRow) {
    FieldTypeProcs procs = findFieldType(makeFieldCode("UBYT"))->procs;
    procs.createValue = [](FieldInstance*) -> void* { return nullptr; };
    ASSERT_TRUE(registerFieldType(makeFieldCode("NONE"), "none", 0, &procs));
    Document* document = open("UBYT NONE UBYT", {1, 2});
    EXPECT_EQ(result, -5);
    EXPECT_EQ(describe(document), "UBYT 1");
    EXPECT_TRUE(linksAreSound(document));
}

TEST_F(Binding, HostileCountsStopAtTheInstanceLimitKeepingWhatWasBound) {
    const struct {
        std::string rows;
        Bytes bytes;
    } cases[] = {
        {"LCNT LSTC LSTE", {0x7F, 0xFF, 0xFF, 0xFF}},
        {"QZCT LSTC LSTE", {0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"QCNT LSTC DWRD LSTE", {0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 1}},
    };
    for (const auto& c : cases) {
        dir.write("hostile.bin", c.bytes);
        Document* document = create(c.rows, dir.path("hostile.bin").c_str());
        document->instanceLimit = 1000;
        EXPECT_EQ(bindFile(document), kResultInstanceLimit) << c.rows;
        EXPECT_EQ(document->instanceCount, 1000) << c.rows;
        EXPECT_EQ(document->stopReason, BindStop::InstanceLimit) << c.rows;
        EXPECT_TRUE(linksAreSound(document)) << c.rows;
    }
    EXPECT_EQ(Document{}.instanceLimit, 16777216);
}

TEST_F(Binding, ListsNestedAHundredThousandDeepNeedNoStack) {
    constexpr int kDepth = 100000;
    std::string rows;
    for (int i = 0; i < kDepth; ++i) rows += "BCNT LSTC ";
    rows += "UBYT";
    for (int i = 0; i < kDepth; ++i) rows += " LSTE";
    Bytes bytes(kDepth, 1);
    bytes.push_back(42);
    Document* document = open(rows, bytes);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(document->instanceCount, 3 * kDepth + 1);
    FieldInstance* deepest = document->first;
    while (deepest && !deepest->field->fieldType) deepest = deepest->next;
    ASSERT_NE(deepest, nullptr);
    EXPECT_EQ(deepest->depth, kDepth);
    EXPECT_EQ(shownValue(deepest), "42");
}

}  // namespace
