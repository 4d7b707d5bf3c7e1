#include <gtest/gtest.h>

#include <string>

#include "document/document_harness.h"

namespace {

struct BindCase {
    const char* name;
    std::string rows;
    Bytes bytes;
    int64_t result;
    std::string shown;
};

struct Binding : DocumentTest {
    // Every binding shows the rows expected and, saved unchanged, gives back the file it read.
    template <size_t N>
    void expectBindings(const BindCase (&cases)[N]) {
        for (const BindCase& c : cases) {
            Document* document = open(c.rows, c.bytes);
            ASSERT_NE(document, nullptr) << c.name;
            EXPECT_EQ(result, c.result) << c.name;
            EXPECT_EQ(describe(document), c.shown) << c.name;
            EXPECT_TRUE(linksAreSound(document)) << c.name;
            EXPECT_EQ(saved(document), c.bytes) << c.name;
        }
    }
};

TEST_F(Binding, LaysTheTemplateOverTheFile) {
    const BindCase cases[] = {
        {"empty template", "", {1, 2}, 0, "REST 2"},
        {"file ends inside a field", "DWRD DLNG UQWD", {0x12, 0x34, 0x56}, -11, "DWRD 4660;REST 1"},
        {"bytes no row covers are kept", "DWRD", {0x12, 0x34, 0x56, 0x78}, 0, "DWRD 4660;REST 2"},
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
        {"negative count makes none",
         "WCNT LSTC UBYT LSTE",
         {0xFF, 0xFF, 5},
         0,
         "WCNT -1;LSTC #0;LSTE;REST 1"},
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
         "BCNT 1;BCNT 1;LSTC #0;REST 1"},
        {"unused count is dropped", "BCNT UBYT", {4, 9}, 0, "BCNT 4;UBYT 9"},
        {"end at the top level", "UBYT LSTE UBYT", {1, 2}, -2, "UBYT 1;REST 1"},
        {"unclosed size rows read their number and go on", "BSIZ UBYT", {3, 9}, 0, "BSIZ 3;.UBYT 9"},
        {"row without a field type", "UBYT ???? UBYT", {3, 9}, -4, "UBYT 3;REST 1"},
        {"list without a count", "LSTC UBYT LSTE", {1}, -2, "REST 1"},
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
        {"string longer than the file",
         "QSTR UBYT",
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 1},
         -11,
         "REST 9"},
        {"4 GiB string in a 9-byte file", "lstr", {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4, 5}, -11, "REST 9"},
        {"string a byte short", "PSTR", {3, 'a', 'b'}, -11, "REST 3"},
    };
    expectBindings(cases);
}

TEST_F(Binding, SizedSectionsBoundTheirRows) {
    const BindCase cases[] = {
        {"rows fill the section",
         "BSIZ UBYT UBYT SKPE UBYT",
         {2, 1, 2, 3},
         0,
         "BSIZ 2;.UBYT 1;.UBYT 2;UBYT 3"},
        {"unread bytes are kept in the section",
         "BSIZ UBYT SKPE UBYT",
         {3, 1, 8, 9, 4},
         0,
         "BSIZ 3;.UBYT 1;.REST 2;UBYT 4"},
        {"closed by LSTE", "WSIZ DWRD LSTE", {0, 2, 0, 5}, 0, "WSIZ 2;.DWRD 5"},
        {"closed by KEYE, little-endian", "wsiz UBYT KEYE", {1, 0, 7}, 0, "wsiz 1;.UBYT 7"},
        {"nested sections",
         "BSIZ BSIZ UBYT SKPE SKPE UBYT",
         {3, 1, 4, 5, 6},
         0,
         "BSIZ 3;.BSIZ 1;..UBYT 4;.REST 1;UBYT 6"},
        {"a field past the section's end", "BSIZ DWRD SKPE UBYT", {1, 5, 6, 7}, -11, "BSIZ 1;REST 3"},
        {"negative size", "WSIZ UBYT SKPE", {0xFF, 0xFF, 1}, -2, "WSIZ -1;REST 1"},
        {"section past the end of the file", "BSIZ UBYT SKPE", {5, 1}, -2, "BSIZ 5;REST 1"},
        {"section past the end of its section",
         "BSIZ BSIZ SKPE SKPE",
         {2, 3, 0, 0, 0},
         -2,
         "BSIZ 2;.BSIZ 3;REST 3"},
        {"size number cut short", "LSIZ SKPE", {0, 0}, -11, "REST 2"},
    };
    expectBindings(cases);
}

TEST_F(Binding, ListsBoundedBySizeEndOfDataOrZeros) {
    const BindCase cases[] = {
        {"by a plain size",
         "BLEN LSTS UBYT LSTE UBYT",
         {2, 7, 8, 9},
         0,
         "BLEN 2;LSTS #0;.UBYT 7;LSTS #1;.UBYT 8;LSTE;UBYT 9"},
        {"an item across the size",
         "BLEN LSTS DWRD LSTE",
         {3, 1, 2, 3, 4},
         -11,
         "BLEN 3;LSTS #0;.DWRD 258;LSTS #1;REST 2"},
        {"size 0", "BLEN LSTS UBYT LSTE", {0, 5}, 0, "BLEN 0;LSTS #0;LSTE;REST 1"},
        {"size past the file", "BLEN LSTS UBYT LSTE", {9, 5}, -2, "BLEN 9;REST 1"},
        {"to the end of the file",
         "UBYT LSTZ DWRD LSTE",
         {1, 0, 2, 0, 3},
         0,
         "UBYT 1;LSTZ #0;.DWRD 2;LSTZ #1;.DWRD 3;LSTE"},
        {"to the end of its section",
         "BSIZ LSTZ UBYT LSTE SKPE UBYT",
         {2, 4, 5, 6},
         0,
         "BSIZ 2;.LSTZ #0;..UBYT 4;.LSTZ #1;..UBYT 5;.LSTE;UBYT 6"},
        {"an item of no bytes", "LSTZ DVDR LSTE", {1}, -2, "LSTZ #0;.DVDR;REST 1"},
        {"to an item of zeros",
         "LSTB UBYT LSTE UBYT",
         {3, 4, 0, 9},
         0,
         "LSTB #0;.UBYT 3;LSTB #1;.UBYT 4;LSTB #2;.UBYT 0;LSTE;UBYT 9"},
        {"no item of zeros", "LSTB UBYT LSTE", {3}, -11, "LSTB #0;.UBYT 3;LSTB #1"},
        {"nested, zeros only inside",
         "LSTB UBYT LSTB UBYT LSTE LSTE",
         {1, 2, 0, 0, 0},
         0,
         "LSTB #0;.UBYT 1;.LSTB #0;..UBYT 2;.LSTB #1;..UBYT 0;.LSTE;LSTB #1;.UBYT 0;.LSTB #0;..UBYT "
         "0;.LSTE;LSTE"},
        {"nested, the outer item non-zero only inside",
         "LSTB LSTB UBYT LSTE LSTE",
         {2, 0, 0},
         0,
         "LSTB #0;.LSTB #0;..UBYT 2;.LSTB #1;..UBYT 0;.LSTE;LSTB #1;.LSTB #0;..UBYT 0;.LSTE;LSTE"},
    };
    expectBindings(cases);
}

TEST_F(Binding, KeysChooseTheCaseToBind) {
    const std::string cases3 = "KEYB KUBT CASE:1:One UBYT CASE:2,3 DWRD CASE:* UBYT UBYT KEYE UBYT";
    const BindCase cases[] = {
        {"first case", cases3, {1, 7, 9}, 0, ".KUBT 1;CASE 1:One;.UBYT 7;UBYT 9"},
        {"second value of a case", cases3, {3, 0, 5, 9}, 0, ".KUBT 3;CASE 2,3;.DWRD 5;UBYT 9"},
        {"default", cases3, {8, 1, 2, 9}, 0, ".KUBT 8;CASE *;.UBYT 1;.UBYT 2;UBYT 9"},
        {"no match, no default", "KEYB KUBT CASE:1 UBYT KEYE UBYT", {3, 4}, 0, ".KUBT 3;UBYT 4"},
        {"default before a match", "KEYB KUBT CASE:* CASE:5 UBYT KEYE", {5, 6}, 0, ".KUBT 5;CASE 5;.UBYT 6"},
        {"characters",
         "KEYB KNAM CASE:'IHDR' UBYT CASE:* KEYE",
         {'I', 'H', 'D', 'R', 5},
         0,
         ".KNAM IHDR;CASE 'IHDR';.UBYT 5"},
        {"negative", "KEYB KBYT CASE:-1 UBYT KEYE", {0xFF, 3}, 0, ".KBYT -1;CASE -1;.UBYT 3"},
        {"hexadecimal, little-endian",
         "KEYB kuwd CASE:$10,0x20 UBYT KEYE",
         {0x20, 0, 4},
         0,
         ".kuwd 32;CASE $10,0x20;.UBYT 4"},
        {"closed by LSTE", "KEYB KUBT CASE:1 UBYT LSTE UBYT", {1, 5, 6}, 0, ".KUBT 1;CASE 1;.UBYT 5;UBYT 6"},
        {"rows before the cases bind for all",
         "KEYB KUBT UBYT CASE:1 UBYT KEYE",
         {1, 7, 8},
         0,
         ".KUBT 1;.UBYT 7;CASE 1;.UBYT 8"},
        {"a key outside a section is a value", "UBYT KBYT UBYT", {1, 2, 3}, 0, "UBYT 1;KBYT 2;UBYT 3"},
        {"size before the key",
         "BLEN KEYB KNAM CASE:'ABCD' UBYT CASE:* KEYE UBYT",
         {3, 'A', 'B', 'C', 'D', 1, 2, 3, 9},
         0,
         "BLEN 3;.KNAM ABCD;CASE 'ABCD';.UBYT 1;.REST 2;UBYT 9"},
        {"size after the key, default without rows",
         "KEYB KNAM blen CASE:'ABCD' UBYT CASE:* KEYE UBYT",
         {'X', 'Y', 'Z', 'W', 2, 5, 6, 9},
         0,
         ".KNAM XYZW;.blen 2;CASE *;.REST 2;UBYT 9"},
        {"a case's rows past its size",
         "BLEN KEYB KUBT CASE:* DWRD KEYE",
         {1, 0, 1, 2},
         -11,
         "BLEN 1;.KUBT 0;CASE *;REST 2"},
        {"in each item of a list",
         "BCNT LSTC KEYB KUBT CASE:1 UBYT CASE:2 DWRD KEYE LSTE",
         {2, 1, 5, 2, 0, 6},
         0,
         "BCNT 2;LSTC #0;..KUBT 1;.CASE 1;..UBYT 5;LSTC #1;..KUBT 2;.CASE 2;..DWRD 6;LSTE"},
    };
    expectBindings(cases);
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
    // A new document's sizes count what their rows take, so it saves a file that reads back.
    Document* sized = create("BSIZ DWRD LSTB UBYT LSTE SKPE", nullptr);
    bindNew(sized);
    EXPECT_EQ(describe(sized), "BSIZ 3;.DWRD 0;.LSTB #0;..UBYT 0;.LSTE");
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
        {"QSTR", {0, 0, 0x10, 0, 0, 0, 0, 0}, BindStop::FieldPastFileEnd},
        {"BSIZ DWRD SKPE", {1, 0, 0}, BindStop::FieldPastSectionEnd},
        {"BSIZ SKPE", {0x80, 0}, BindStop::SectionPastEnd},
        {"WSIZ SKPE", {0x80, 0}, BindStop::NegativeSize},
        {"LSTZ LSTE", {1}, BindStop::EmptyItem},
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

TEST_F(Binding, AFieldTypeThatMakesNoValueStopsWithoutLeavingAnEmptyRow) {
    FieldTypeProcs procs = findFieldType(makeFieldCode("UBYT"))->procs;
    procs.createValue = [](FieldInstance*) -> void* { return nullptr; };
    ASSERT_TRUE(registerFieldType(makeFieldCode("NONE"), "none", 0, &procs));
    Document* document = open("UBYT NONE UBYT", {1, 2});
    EXPECT_EQ(result, -5);
    EXPECT_EQ(describe(document), "UBYT 1;REST 1");
    EXPECT_TRUE(linksAreSound(document));
}

TEST_F(Binding, HostileCountsStopAtTheInstanceLimitKeepingWhatWasBound) {
    const struct {
        std::string rows;
        Bytes bytes;
    } cases[] = {
        {"LCNT LSTC LSTE", {0x7F, 0xFF, 0xFF, 0xFF}},
        {"QZCT LSTC LSTE", {0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"QCNT LSTC DVDR LSTE", {0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
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
    EXPECT_EQ(result, 0) << static_cast<int>(document->stopReason) << " "
                         << describe(document).substr(0, 200);
    EXPECT_EQ(document->instanceCount, 3 * kDepth + 1);
    FieldInstance* deepest = document->first;
    while (deepest && !deepest->field->fieldType) deepest = deepest->next;
    ASSERT_NE(deepest, nullptr);
    EXPECT_EQ(deepest->depth, kDepth);
    EXPECT_EQ(shownValue(deepest), "42");
}

}  // namespace
