#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "document/count_display.h"
#include "document/document_harness.h"

namespace {

using Binding = DocumentTest;

// Every binding shows the rows expected and, saved unchanged, gives back the file it read, is marked
// saved and leaves no scratch file; every window of the byte pane holds the file's bytes.
TEST_F(Binding, LaysTheTemplateOverTheFile) {
    const char* keyed = "KEYB KUBT CASE:1:One UBYT CASE:2,3 DWRD CASE:* UBYT UBYT KEYE UBYT";
    const std::tuple<const char*, const char*, int64_t, const char*> cases[] = {
        {"", "01 02", 0, "REST 2"},                               // empty template
        {"DWRD DLNG UQWD", "12 34 56", -11, "DWRD 4660;REST 1"},  // file ends inside a field
        {"DWRD", "12 34 56 78", 0, "DWRD 4660;REST 2"},           // bytes no row covers are kept
        {"DVDR DWRD", "12 34", 0, "DVDR;DWRD 4660"},              // divider takes no bytes
        {"WCNT LSTC UBYT LSTE", "00 03 07 08 09", 0,
         "WCNT 3;LSTC #0;.UBYT 7;LSTC #1;.UBYT 8;LSTC #2;.UBYT 9;LSTE"},  // big-endian count
        {"wcnt LSTC UBYT LSTE", "03 00 07 08 09", 0,
         "wcnt 3;LSTC #0;.UBYT 7;LSTC #1;.UBYT 8;LSTC #2;.UBYT 9;LSTE"},         // little-endian count
        {"BZCT LSTC UBYT LSTE", "00 05", 0, "BZCT 0;LSTC #0;.UBYT 5;LSTE"},      // zero-based: 0 is one item
        {"BCNT LSTC UBYT LSTE UBYT", "00 05", 0, "BCNT 0;LSTC #0;LSTE;UBYT 5"},  // count of 0 makes none
        {"WCNT LSTC UBYT LSTE", "FF FF 05", 0, "WCNT -1;LSTC #0;LSTE;REST 1"},   // negative count makes none
        {"BCNT", "C8", 0, "BCNT 200"},  // one-byte counts are unsigned
        {"BCNT BCNT LSTC UBYT LSTE LSTC DBYT LSTE", "01 02 0A 14 1E", 0,
         "BCNT 1;BCNT 2;LSTC #0;.UBYT 10;LSTE;LSTC #0;.DBYT 20;LSTC #1;.DBYT 30;LSTE"},
        {"BCNT BCNT LSTC LSTC UBYT LSTE LSTE", "01 01 09", -2, "BCNT 1;BCNT 1;LSTC #0;REST 1"},
        {"BCNT UBYT", "04 09", 0, "BCNT 4;UBYT 9"},        // unused count is dropped
        {"UBYT LSTE UBYT", "01 02", -2, "UBYT 1;REST 1"},  // end at the top level
        {"SKPE BSIZ UBYT SKPE UBYT", "01 05 06", -2, "REST 3"},  // a closing row that closes nothing
        // A closing row closes what opened its section, whichever closer it is.
        {"BCNT LSTC UBYT KEYE UBYT", "02 05 06 07", 0, "BCNT 2;LSTC #0;.UBYT 5;LSTC #1;.UBYT 6;KEYE;UBYT 7"},
        {"BCNT LSTC KEYB UBYT LSTE UBYT LSTE", "01 05 06", 0, "BCNT 1;LSTC #0;..UBYT 5;.UBYT 6;LSTE"},
        {"BSIZ UBYT", "03 09", 0, "BSIZ 3;.UBYT 9"},       // unclosed size rows read their number and go on
        {"UBYT ???? UBYT", "03 09", -4, "UBYT 3;REST 1"},  // row without a field type
        {"LSTC UBYT LSTE", "01", -2, "REST 1"},            // list without a count
        {"KEYB DBYT CASE DBYT KEYE DBYT", "01 02 03", 0, ".DBYT 1;.DBYT 2;DBYT 3"},
        {"BCNT LSTC BCNT LSTC UBYT LSTE LSTE", "02 01 07 02 08 09", 0,
         "BCNT 2;LSTC #0;.BCNT 1;.LSTC #0;..UBYT 7;.LSTE;LSTC #1;.BCNT 2;.LSTC #0;..UBYT 8;.LSTC #1;"
         "..UBYT 9;.LSTE;LSTE"},  // nested counted lists
        {"PSTR qstr uqwd", "02 'hi' 01 00*7 'x' 05 00*7", 0, "PSTR hi;qstr x;uqwd 5"},
        {"QSTR UBYT", "FF*7 F0 01", -11, "REST 9"},             // string longer than the file
        {"lstr", "FF FF FF FF 01 02 03 04 05", -11, "REST 9"},  // 4 GiB string in a 9-byte file
        {"PSTR", "03 'ab'", -11, "REST 3"},                     // string a byte short
        {"WCNT LSTC DWRD PSTR LSTE", "00 02 00 01 01 'a' FF FE 00 09", 0,
         "WCNT 2;LSTC #0;.DWRD 1;.PSTR a;LSTC #1;.DWRD -2;.PSTR;LSTE;REST 1"},  // two items, a string in each
        {"lzct wcnt LSTC UQWD LSTE", "00*4 03 00 01 02 03 04 05 06 07 08", 0,
         "lzct 0;wcnt 3;LSTC #0;.UQWD 72623859790382856;LSTE"},
        {"BZCT LSTC hlng LSTE DVDR", "00 01 02 03 04", 0, "BZCT 0;LSTC #0;.hlng $04030201;LSTE;DVDR"},
        {"QCNT LSTC LSTE qsiz wskp", "00*8 01 02 03 04 05 06 07 08 09 0A", 0,
         "QCNT 0;LSTC #0;LSTE;qsiz 578437695752307201;.wskp 2569"},        // 64-bit count and size
        {"lstr WSTR", "02 00 00 00 'ok' 00 01 '!'", 0, "lstr ok;WSTR !"},  // long and word strings
        // Sized sections bound their rows.
        {"BSIZ UBYT UBYT SKPE UBYT", "02 01 02 03", 0, "BSIZ 2;.UBYT 1;.UBYT 2;UBYT 3"},
        {"BSIZ UBYT SKPE UBYT", "03 01 08 09 04", 0, "BSIZ 3;.UBYT 1;.REST 2;UBYT 4"},
        {"WSIZ DWRD LSTE", "00 02 00 05", 0, "WSIZ 2;.DWRD 5"},  // closed by LSTE
        {"wsiz UBYT KEYE", "01 00 07", 0, "wsiz 1;.UBYT 7"},     // closed by KEYE, little-endian
        {"BSIZ BSIZ UBYT SKPE SKPE UBYT", "03 01 04 05 06", 0, "BSIZ 3;.BSIZ 1;..UBYT 4;.REST 1;UBYT 6"},
        {"BSIZ DWRD SKPE UBYT", "01 05 06 07", -11, "BSIZ 1;REST 3"},  // a field past the section's end
        {"WSIZ UBYT SKPE", "FF FF 01", -2, "WSIZ -1;REST 1"},          // negative size
        {"BSIZ UBYT SKPE", "05 01", -2, "BSIZ 5;REST 1"},              // section past the end of the file
        {"BSIZ BSIZ SKPE SKPE", "02 03 00 00 00", -2, "BSIZ 2;.BSIZ 3;REST 3"},
        {"LSIZ SKPE", "00 00", -11, "REST 2"},  // size number cut short
        // Lists bounded by a size, the end of the data or an item of zeros.
        {"BLEN LSTS UBYT LSTE UBYT", "02 07 08 09", 0, "BLEN 2;LSTS #0;.UBYT 7;LSTS #1;.UBYT 8;LSTE;UBYT 9"},
        {"BLEN LSTS DWRD LSTE", "03 01 02 03 04", -11, "BLEN 3;LSTS #0;.DWRD 258;LSTS #1;REST 2"},
        {"BLEN LSTS UBYT LSTE", "00 05", 0, "BLEN 0;LSTS #0;LSTE;REST 1"},  // size 0
        {"BLEN LSTS UBYT LSTE", "09 05", -2, "BLEN 9;REST 1"},              // size past the file
        {"UBYT LSTZ DWRD LSTE", "01 00 02 00 03", 0, "UBYT 1;LSTZ #0;.DWRD 2;LSTZ #1;.DWRD 3;LSTE"},
        {"BSIZ LSTZ UBYT LSTE SKPE UBYT", "02 04 05 06", 0,
         "BSIZ 2;.LSTZ #0;..UBYT 4;.LSTZ #1;..UBYT 5;.LSTE;UBYT 6"},  // to the end of its section
        {"LSTZ DVDR LSTE", "01", -2, "LSTZ #0;.DVDR;REST 1"},         // an item of no bytes
        {"LSTB UBYT LSTE UBYT", "03 04 00 09", 0,
         "LSTB #0;.UBYT 3;LSTB #1;.UBYT 4;LSTB #2;.UBYT 0;LSTE;UBYT 9"},  // to an item of zeros
        {"LSTB UBYT LSTE", "03", -11, "LSTB #0;.UBYT 3;LSTB #1"},         // no item of zeros
        {"LSTB UBYT LSTB UBYT LSTE LSTE", "01 02 00 00 00", 0,
         "LSTB #0;.UBYT 1;.LSTB #0;..UBYT 2;.LSTB #1;..UBYT 0;.LSTE;LSTB #1;.UBYT 0;.LSTB #0;"
         "..UBYT 0;.LSTE;LSTE"},  // nested, zeros only inside
        {"LSTB LSTB UBYT LSTE LSTE", "02 00 00", 0,
         "LSTB #0;.LSTB #0;..UBYT 2;.LSTB #1;..UBYT 0;.LSTE;LSTB #1;.LSTB #0;..UBYT 0;.LSTE;LSTE"},
        // Zero-terminated text ends at its zero, or runs past the end of its data.
        {"CSTR UBYT cstr", "'ab' 00 07 00", 0, "CSTR ab;UBYT 7;cstr"},
        {"CSTR", "'abc'", -11, "REST 3"},
        {"BSIZ CSTR SKPE UBYT", "02 'ab' 00 05", -11, "BSIZ 2;REST 4"},  // its zero past the section
        {"LSTB CSTR LSTE CSTR", "'A' 00 00 'B' 00", 0,
         "LSTB #0;.CSTR A;LSTB #1;.CSTR;LSTE;CSTR B"},  // bytes scanned past the zero are not the item's
        // Variable-length numbers keep their encoding; too many groups or bits cannot be read.
        {"ULEB SLEB UVLQ uleb", "E5 8E 26 7F 81 00 80 00", 0, "ULEB 624485;SLEB -1;UVLQ 128;uleb 0"},
        {"UBYT ULEB", "01 80*10000", -14, "UBYT 1;REST 10000"},
        {"UVLQ", "82 FF*8 7F", -14, "REST 10"},
        {"sleb", "80 80", -11, "REST 2"},
        // Keys choose the case to bind.
        {keyed, "01 07 09", 0, ".KUBT 1;CASE 1:One;.UBYT 7;UBYT 9"},         // first case
        {keyed, "03 00 05 09", 0, ".KUBT 3;CASE 2,3;.DWRD 5;UBYT 9"},        // second value of a case
        {keyed, "08 01 02 09", 0, ".KUBT 8;CASE *;.UBYT 1;.UBYT 2;UBYT 9"},  // default
        {"KEYB KUBT CASE:1 UBYT KEYE UBYT", "03 04", 0, ".KUBT 3;UBYT 4"},   // no match, no default
        {"KEYB KUBT CASE:* CASE:5 UBYT KEYE", "05 06", 0, ".KUBT 5;CASE 5;.UBYT 6"},
        {"KEYB KNAM CASE:'IHDR' UBYT CASE:* KEYE", "'IHDR' 05", 0, ".KNAM IHDR;CASE 'IHDR';.UBYT 5"},
        {"KEYB KBYT CASE:-1 UBYT KEYE", "FF 03", 0, ".KBYT -1;CASE -1;.UBYT 3"},  // negative
        {"KEYB kuwd CASE:$10,0x20 UBYT KEYE", "20 00 04", 0, ".kuwd 32;CASE $10,0x20;.UBYT 4"},
        {"KEYB KUBT CASE:1 UBYT LSTE UBYT", "01 05 06", 0, ".KUBT 1;CASE 1;.UBYT 5;UBYT 6"},
        {"BCNT LSTC KEYB KUBT CASE:1 UBYT KEYE LSTE UBYT", "02 01 05 01 06 09", 0,
         "BCNT 2;LSTC #0;..KUBT 1;.CASE 1;..UBYT 5;LSTC #1;..KUBT 1;.CASE 1;..UBYT 6;LSTE;UBYT 9"},
        {"BLEN KEYB KUBT CASE:* UBYT", "02 01 07 08 09", 0, "BLEN 2;.KUBT 1;CASE *;.UBYT 7;.REST 1;REST 1"},
        {"BLEN KEYB KUBT CASE:1 DWRD CASE:* UBYT KEYE UBYT", "02 02 07 08 09", 0,
         "BLEN 2;.KUBT 2;CASE *;.UBYT 7;.REST 1;UBYT 9"},  // the last case bounded by a size, rows after KEYE
        {"KEYB KUBT UBYT CASE:1 UBYT KEYE", "01 07 08", 0, ".KUBT 1;.UBYT 7;CASE 1;.UBYT 8"},
        {"UBYT KBYT UBYT", "01 02 03", 0, "UBYT 1;KBYT 2;UBYT 3"},  // a key outside a section is a value
        {"BLEN KEYB KNAM CASE:'ABCD' UBYT CASE:* KEYE UBYT", "03 'ABCD' 01 02 03 09", 0,
         "BLEN 3;.KNAM ABCD;CASE 'ABCD';.UBYT 1;.REST 2;UBYT 9"},  // size before the key
        {"KEYB KNAM blen CASE:'ABCD' UBYT CASE:* KEYE UBYT", "'XYZW' 02 05 06 09", 0,
         ".KNAM XYZW;.blen 2;CASE *;.REST 2;UBYT 9"},  // size after the key, default without rows
        {"BLEN KEYB KUBT CASE:* DWRD KEYE", "01 00 01 02", -11, "BLEN 1;.KUBT 0;CASE *;REST 2"},
        {"BCNT LSTC KEYB KUBT CASE:1 UBYT CASE:2 DWRD KEYE LSTE", "02 01 05 02 00 06", 0,
         "BCNT 2;LSTC #0;..KUBT 1;.CASE 1;..UBYT 5;LSTC #1;..KUBT 2;.CASE 2;..DWRD 6;LSTE"},
    };
    for (const auto& [rows, text, stop, shown] : cases) {
        const std::string at = std::string(rows) + " | " + text;
        const Bytes bytes = bytesOf(text);
        Document* document = open(rows, bytes);
        EXPECT_EQ(result, stop) << at;
        EXPECT_EQ(describe(document), shown) << at;
        EXPECT_TRUE(linksAreSound(document)) << at;
        document->saved = false;
        document->needsNewName = true;
        EXPECT_EQ(saveDocument(document, dir.path("out.bin").c_str()), static_cast<int64_t>(bytes.size()))
            << at;
        EXPECT_EQ(dir.read("out.bin"), bytes) << at;
        EXPECT_TRUE(document->saved && !document->needsNewName && !dir.exists("out.bin.saving")) << at;
        EXPECT_EQ(windowMismatch(document, bytes), -1) << at;
    }
}

// A count or size row shows the number binding went by: signed at two and four bytes.
TEST_F(Binding, CountsAndSizesShowTheNumberBindingUses) {
    const std::tuple<const char*, const char*, int64_t> cases[] = {
        {"BCNT", "FF", 255}, {"BZCT", "FF", 256},        {"WCNT", "FF FF", -1},    {"wsiz", "FE FF", -2},
        {"WZCT", "FF FF", 0}, {"LCNT", "FF FF FF FF", -1}, {"QLEN", "FF*8", -1}, {"wcnt", "03 00", 3},
    };
    for (const auto& [rows, text, expected] : cases) {
        int64_t shown = 0;
        EXPECT_TRUE(shownNumber(open(rows, bytesOf(text))->first, &shown)) << rows;
        EXPECT_EQ(shown, expected) << rows;
    }
    int64_t untouched = 5;
    EXPECT_FALSE(shownNumber(open("UWRD", bytesOf("00 01"))->first, &untouched));  // a value is no number
    EXPECT_EQ(untouched, 5);
}

TEST_F(Binding, InstancesKnowTheirListsAndPartners) {
    Document* document = open("BCNT LSTC UBYT LSTE", bytesOf("02 01 02"));
    FieldInstance *count = nth(document, 0), *header = nth(document, 1), *item = nth(document, 2);
    FieldInstance *second = nth(document, 3), *end = document->last;
    EXPECT_TRUE(header->listSource == count && second->listSource == count && end->listSource == count);
    EXPECT_TRUE(header->partner == end && end->partner == header && !second->partner);
    EXPECT_TRUE(item->parent == header && second->next->parent == second && !item->listSource);
    EXPECT_EQ(item->height, tmBold.height);
    EXPECT_EQ(document->instanceCount, 6);
}

// A new document's sizes count what their rows take, so it saves a file that reads back.
TEST_F(Binding, MissingFileAndNewDocumentBindWithInitialValues) {
    const char* rows = "BZCT LSTC DWRD PSTR LSTE";
    Document *missing = create(rows, dir.path("absent.bin").c_str()), *fresh = create(rows, nullptr);
    Document* sized = create("BSIZ DWRD LSTB UBYT LSTE SKPE", nullptr);
    EXPECT_TRUE(bindFile(missing) == 0 && bindNew(fresh) == 0 && bindNew(sized) == 0);
    EXPECT_EQ(describe(missing), "BZCT 0;LSTC #0;.DWRD 0;.PSTR;LSTE");
    EXPECT_EQ(describe(fresh), describe(missing));
    EXPECT_EQ(describe(sized), "BSIZ 3;.DWRD 0;.LSTB #0;..UBYT 0;.LSTE");
}

TEST_F(Binding, TheReasonForStoppingIsASentenceForTheUser) {
    const std::tuple<const char*, const char*, BindStop> cases[] = {
        {"UBYT", "01", BindStop::None},
        {"LSTC LSTE", "", BindStop::MissingCount},
        {"LSTE", "", BindStop::MisplacedEnd},
        {"LSTS", "", BindStop::MissingSize},
        {"LSTZ LSTE", "01", BindStop::EmptyItem},
        {"QSTR", "00 00 10 00*5", BindStop::FieldPastFileEnd},
        {"BSIZ SKPE", "80 00", BindStop::SectionPastEnd},
        {"WSIZ SKPE", "80 00", BindStop::NegativeSize},
        {"BSIZ DWRD SKPE", "01 00 00", BindStop::FieldPastSectionEnd}};
    for (const auto& [rows, bytes, reason] : cases) {
        Document* document = open(rows, bytesOf(bytes));
        EXPECT_EQ(document->stopReason, reason) << rows;
        const char* said = bindStopReason(document);
        EXPECT_TRUE(reason == BindStop::None ? !said : said && std::strlen(said) > 10) << rows;
    }
    char text[200];
    describeBindStop(open("UBYT BSIZ DWRD:Value SKPE", bytesOf("07 01 00 00")), text, sizeof text);
    EXPECT_STREQ(text, "Row 2 \"Value\" at offset $2: A field runs past the end of the section or list that holds it.");
}

// The field is not shown, not even as an empty row, and its bytes stay in the rest; running out of
// memory is told apart.
TEST_F(Binding, AFieldThatCannotBeReadOrMakesNoValueStopsBindingWithItsReason) {
    FieldTypeProcs failing = findFieldType(makeFieldCode("UBYT"))->procs;
    failing.readValue = [](FieldInstance*, void*, TIOStream*, int64_t) { return kResultBadStructure; };
    ASSERT_TRUE(registerFieldType(makeFieldCode("BADR"), "unreadable", 0, &failing));
    failing.readValue = [](FieldInstance*, void*, TIOStream*, int64_t) { return kResultNoMemory; };
    ASSERT_TRUE(registerFieldType(makeFieldCode("NOMM"), "no memory", 0, &failing));
    failing.createValue = [](FieldInstance*) -> void* { return nullptr; };
    ASSERT_TRUE(registerFieldType(makeFieldCode("NONE"), "none", 0, &failing));
    const std::tuple<const char*, int64_t, BindStop> cases[] = {
        {"UBYT BADR UBYT", kResultBadStructure, BindStop::UnreadableField},
        {"UBYT NOMM UBYT", kResultNoMemory, BindStop::OutOfMemory},
        {"UBYT NONE UBYT", kResultNoValue, BindStop::NoValue}};
    for (auto [rows, stop, reason] : cases) {
        Document* document = open(rows, {1, 2, 3});
        EXPECT_EQ(std::make_tuple(result, document->stopReason, describe(document)),
                  std::make_tuple(stop, reason, std::string("UBYT 1;REST 2")))
            << rows;
        EXPECT_TRUE(linksAreSound(document)) << rows;
    }
}

TEST_F(Binding, HostileCountsStopAtTheInstanceLimitKeepingWhatWasBound) {
    limit = 1000;
    for (const char* rows : {"LCNT LSTC LSTE", "QZCT LSTC LSTE", "QCNT LSTC DVDR LSTE"}) {
        Document* document = open(rows, bytesOf(rows[0] == 'L' ? "7F FF FF FF" : "7F FF*7"));
        EXPECT_EQ(result, kResultInstanceLimit) << rows;
        EXPECT_EQ(document->instanceCount, 1000) << rows;
        EXPECT_EQ(document->stopReason, BindStop::InstanceLimit) << rows;
        EXPECT_TRUE(linksAreSound(document)) << rows;
    }
    // The row the limit stops keeps its bytes in the rest, a count's as well as a value's.
    limit = 3;
    for (const char* rows : {"UBYT UBYT UBYT BCNT UBYT", "UBYT UBYT UBYT UBYT UBYT"}) {
        const Bytes bytes = bytesOf("01 02 03 04 05");
        Document* document = open(rows, bytes);
        EXPECT_EQ(describe(document), "UBYT 1;UBYT 2;UBYT 3;REST 2") << rows;
        EXPECT_EQ(saved(document), bytes) << rows;
    }
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
    EXPECT_EQ(result, 0) << static_cast<int>(document->stopReason);
    EXPECT_EQ(document->instanceCount, 3 * kDepth + 1);
    FieldInstance* deepest = nth(document, 2 * kDepth);
    EXPECT_EQ(deepest->depth, kDepth);
    EXPECT_EQ(shownValue(deepest), "42");
}

}  // namespace
