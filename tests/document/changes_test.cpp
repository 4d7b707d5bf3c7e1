#include "document/changes.h"

#include <gtest/gtest.h>

#include <string>

#include "document/document_harness.h"

namespace {

using Changes = DocumentTest;

TEST_F(Changes, EditingChangesOnlyDataRowsAndMarksTheDocumentUnsaved) {
    Document* document = open("BCNT LSTC DVDR DWRD LSTE", bytesOf("01 12 34"));
    for (int row : {0, 1, 2, 4}) EXPECT_FALSE(editInstance(document, nth(document, row))) << row;
    EXPECT_EQ(queryscript::asked(), 0);
    queryscript::cancel();
    EXPECT_FALSE(editInstance(document, nth(document, 3)));
    EXPECT_TRUE(document->saved);
    queryscript::answer("-2");
    EXPECT_TRUE(editInstance(document, nth(document, 3)));
    EXPECT_FALSE(document->saved);
    EXPECT_EQ(describe(document), "BCNT 1;LSTC #0;.DVDR;.DWRD -2;LSTE");
}

// Inserted items keep their headers, deleted ones take their rows, and the counts and numbers follow;
// what is refused changes nothing. A document bound up to an instance limit is changed where it ends.
TEST_F(Changes, ItemsAreInsertedAndDeleted) {
    const struct {
        char change;  // + insert, - delete
        const char* name;
        const char* rows;
        const char* bytes;
        int at;             // the instance changed at, counted from the first
        std::string shown;  // empty when refused
        int64_t limit = kMaxDocumentInstances;
    } cases[] = {
        {'+', "at the end of a list of two", "BCNT LSTC UBYT LSTE", "02 05 06", 5,
         "BCNT 3;LSTC #0;.UBYT 5;LSTC #1;.UBYT 6;LSTC #2;.UBYT 0;LSTE"},
        {'+', "at the first header of an empty list", "WCNT LSTC UBYT LSTE", "00 00", 1,
         "WCNT 1;LSTC #0;.UBYT 0;LSTE"},
        {'+', "at the end of an empty list", "wcnt LSTC UBYT LSTE", "00 00", 2,
         "wcnt 1;LSTC #0;.UBYT 0;LSTE"},
        {'+', "negative count", "WCNT LSTC UBYT LSTE", "FF FF", 1, "WCNT 1;LSTC #0;.UBYT 0;LSTE"},
        {'+', "at the first header of a list with items", "BCNT LSTC UBYT LSTE", "02 05 06", 1,
         "BCNT 3;LSTC #0;.UBYT 0;LSTC #1;.UBYT 5;LSTC #2;.UBYT 6;LSTE"},
        {'+', "at a header within the list", "BCNT LSTC UBYT LSTE", "02 05 06", 3,
         "BCNT 3;LSTC #0;.UBYT 5;LSTC #1;.UBYT 0;LSTC #2;.UBYT 6;LSTE"},
        {'+', "zero-based count", "BZCT LSTC UBYT LSTE", "00 05", 3,
         "BZCT 1;LSTC #0;.UBYT 5;LSTC #1;.UBYT 0;LSTE"},
        {'+', "an item with a count and an inner list", "BCNT LSTC BCNT LSTC UBYT LSTE LSTE", "00", 1,
         "BCNT 1;LSTC #0;.BCNT 0;.LSTC #0;.LSTE;LSTE"},
        {'+', "an item with a zero-based inner list", "BCNT LSTC WZCT LSTC UBYT LSTE LSTE", "00", 1,
         "BCNT 1;LSTC #0;.WZCT 0;.LSTC #0;..UBYT 0;.LSTE;LSTE"},
        {'+', "into an inner list", "BCNT LSTC BCNT LSTC UBYT LSTE LSTE", "01 01 07", 5,
         "BCNT 1;LSTC #0;.BCNT 2;.LSTC #0;..UBYT 7;.LSTC #1;..UBYT 0;.LSTE;LSTE"},
        {'+', "before the last row", "BCNT LSTC UBYT LSTE", "01 07", 3,
         "BCNT 2;LSTC #0;.UBYT 7;LSTC #1;.UBYT 0;LSTE"},
        {'+', "a full one-byte count", "BCNT LSTC LSTE", "FF", 1, ""},
        {'+', "a full zero-based count", "BZCT LSTC LSTE", "FF", 1, ""},
        {'+', "not a list row", "BCNT LSTC UBYT LSTE", "01 07", 2, ""},
        {'+', "a list bounded by a size", "BLEN LSTS UBYT LSTE", "01 05", 1,
         "BLEN 2;LSTS #0;.UBYT 0;LSTS #1;.UBYT 5;LSTE"},
        {'+', "a list to the end of the file", "LSTZ DWRD LSTE", "00 01", 2,
         "LSTZ #0;.DWRD 1;LSTZ #1;.DWRD 0;LSTE"},
        {'+', "an empty list in a section", "BSIZ LSTZ UBYT LSTE SKPE", "00", 1,
         "BSIZ 1;.LSTZ #0;..UBYT 0;.LSTE"},
        {'+', "a list ended by zeros", "LSTB UBYT LSTE", "00", 0, ""},
        {'+', "a section that cannot count one byte more", "BSIZ LSTZ UBYT LSTE SKPE", "FF*256", 3, ""},
        {'+', "the first item of a full section", "BSIZ LSTZ UBYT LSTE SKPE", "FF*256", 1, ""},
        {'+', "an item of no bytes", "LSTZ DVDR LSTE", "", 0, ""},
        {'+', "an item holding a list to the end of the data", "BCNT LSTC UBYT LSTZ UBYT LSTE LSTE", "00", 1,
         ""},
        {'+', "into the item of zeros of a list", "LSTB BCNT LSTC UBYT LSTE LSTE", "00", 2, ""},
        {'+', "a list closed by KEYE with rows after it", "OCNT LSTC DWRD KEYE DWRD",
         "00 02 00 01 00 02 00 03 00 04", 1,
         "OCNT 3;LSTC #0;.DWRD 0;DWRD 0;LSTC #1;.DWRD 1;DWRD 2;LSTC #2;.DWRD 3;DWRD 4;KEYE"},
        {'+', "at the second header of that list", "OCNT LSTC DWRD KEYE DWRD",
         "00 02 00 01 00 02 00 03 00 04", 4,
         "OCNT 3;LSTC #0;.DWRD 1;DWRD 2;LSTC #1;.DWRD 0;DWRD 0;LSTC #2;.DWRD 3;DWRD 4;KEYE"},
        {'-', "the last of two", "BCNT LSTC UBYT LSTE", "02 05 06", 3, "BCNT 1;LSTC #0;.UBYT 5;LSTE"},
        {'-', "the first of two", "BCNT LSTC UBYT LSTE", "02 05 06", 1, "BCNT 1;LSTC #0;.UBYT 6;LSTE"},
        {'-', "the only item", "BCNT LSTC UBYT LSTE", "01 05", 1, "BCNT 0;LSTC #0;LSTE"},
        {'-', "items without rows", "BCNT LSTC LSTE", "02", 1, "BCNT 1;LSTC #0;LSTE"},
        {'-', "the only item, zero-based", "WZCT LSTC UBYT LSTE", "00 00 05", 1, "WZCT -1;LSTC #0;LSTE"},
        {'-', "the only item, zero-based in one byte", "BZCT LSTC UBYT LSTE", "00 05", 1, ""},
        {'-', "the first of two with inner lists", "BCNT LSTC BCNT LSTC UBYT LSTE LSTE", "02 01 07 01 08", 1,
         "BCNT 1;LSTC #0;.BCNT 1;.LSTC #0;..UBYT 8;.LSTE;LSTE"},
        {'-', "a list bounded by a length", "BLEN LSTS UBYT LSTE", "02 05 06", 1,
         "BLEN 1;LSTS #0;.UBYT 6;LSTE"},
        {'-', "a list in a section", "BSIZ LSTZ UBYT LSTE SKPE UBYT", "02 05 06 09", 3,
         "BSIZ 1;.LSTZ #0;..UBYT 5;.LSTE;UBYT 9"},
        {'-', "ended by zeros, not the last", "LSTB UBYT LSTE", "05 00", 0, "LSTB #0;.UBYT 0;LSTE"},
        {'-', "the item of zeros", "LSTB UBYT LSTE", "05 00", 2, ""},
        {'-', "the first of a list closed by KEYE", "OCNT LSTC DWRD KEYE DWRD",
         "00 02 00 01 00 02 00 03 00 04", 1, "OCNT 1;LSTC #0;.DWRD 3;DWRD 4;KEYE"},
        {'-', "a data row", "BCNT LSTC UBYT LSTE", "01 05", 2, ""},
        {'-', "an end row", "BCNT LSTC UBYT LSTE", "01 05", 3, ""},
        {'-', "an empty list", "BCNT LSTC UBYT LSTE", "00", 1, ""},
        {'-', "in a list whose end was never bound", "BCNT LSTC UBYT LSTE", "02 05", 1, "", 3},
        {'+', "a full zero-based count of 64 bits", "QZCT LSTC LSTE", "7F FF*7", 1,
         "QZCT 3;LSTC #0;LSTC #1;LSTC #2;LSTC #3", 4},
        {'+', "after the last row bound", "BCNT LSTC UBYT LSTE", "02", 1, "BCNT 2;LSTC #0;.UBYT 0;LSTC #1",
         2},
    };
    for (const auto& c : cases) {
        limit = c.limit;
        Document* document = open(c.rows, bytesOf(c.bytes));
        document->instanceLimit = kMaxDocumentInstances;
        std::string before = describe(document);
        FieldInstance* at = nth(document, c.at);
        EXPECT_EQ(c.change == '+' ? insertItem(document, at) : deleteItem(document, at), !c.shown.empty())
            << c.name;
        EXPECT_EQ(document->saved, c.shown.empty()) << c.name;
        EXPECT_EQ(describe(document), c.shown.empty() ? before : c.shown) << c.name;
        EXPECT_TRUE(linksAreSound(document)) << c.name;
        if (limit != kMaxDocumentInstances) continue;
        saved(document);
        EXPECT_EQ(describe(reopen(c.rows, "saved.bin")), describe(document)) << c.name;
    }
}

TEST_F(Changes, SizesFollowEditsOrRefuseThem) {
    const struct {
        const char* name;
        const char* rows;
        const char* bytes;
        int at;
        std::string text;
        const char* saved;  // empty when the edit is refused
    } cases[] = {
        {"a section", "BSIZ PSTR SKPE", "02 01 'a'", 1, "abc", "04 03 'abc'"},
        {"nested sections", "BSIZ UBYT BSIZ PSTR SKPE SKPE", "04 09 02 01 'a'", 3, "", "03 09 01 00"},
        {"a case bounded by a length", "BLEN KEYB KUBT CASE:* PSTR KEYE UBYT", "02 07 01 'x' 05", 3, "xyz",
         "04 07 03 'xyz' 05"},
        {"a list bounded by a length", "WLEN LSTS PSTR LSTE", "00 02 01 'x'", 2, "", "00 01 00"},
        {"a size that cannot count the bytes", "BSIZ PSTR SKPE", "02 01 'a'", 1, std::string(255, 'z'), ""},
        {"a key", "KEYB KUBT CASE:* KEYE", "01", 0, "2", ""},
        {"an item of a list ended by zeros turning to zeros", "LSTB UBYT LSTE", "05 00", 1, "0", ""},
        {"the item of zeros turning to non-zero", "LSTB UBYT LSTE", "05 00", 3, "7", ""},
        {"an item staying non-zero", "LSTB UBYT UBYT LSTE", "05 01 00 00", 1, "0", "00 01 00 00"},
    };
    for (const auto& c : cases) {
        Document* document = open(c.rows, bytesOf(c.bytes));
        queryscript::answer(c.text);
        EXPECT_EQ(editInstance(document, nth(document, c.at)), *c.saved != 0) << c.name;
        EXPECT_EQ(saved(document), bytesOf(*c.saved ? c.saved : c.bytes)) << c.name;
        queryscript::reset();
    }
}

TEST_F(Changes, TheItemThatWasFirstMovesUnderItsOwnHeader) {
    Document* document = open("BCNT LSTC UBYT LSTE", bytesOf("01 05"));
    FieldInstance *header = nth(document, 1), *item = nth(document, 2);
    ASSERT_TRUE(insertItem(document, header));
    EXPECT_EQ(nth(document, 2)->parent, header);
    EXPECT_EQ(item->previous->field, header->field);
    EXPECT_TRUE(item->parent == item->previous && item->previous->listSource == document->first);
}

TEST_F(Changes, InsertingIntoANewDocumentAppendsAtItsEnd) {
    Document* document = create("BCNT LSTC DWRD LSTE UBYT", nullptr);
    bindNew(document);
    ASSERT_TRUE(insertItem(document, nth(document, 2)) && insertItem(document, nth(document, 1)));
    EXPECT_EQ(describe(document), "BCNT 2;LSTC #0;.DWRD 0;LSTC #1;.DWRD 0;LSTE;UBYT 0");
    EXPECT_EQ(document->last->field, document->templ->fields[4]);
}

}  // namespace
