#include "document/changes.h"

#include <gtest/gtest.h>

#include <string>

#include "document/document_harness.h"

namespace {

struct Changes : DocumentTest {};

TEST_F(Changes, EditingChangesOnlyDataRowsAndMarksTheDocumentUnsaved) {
    Document* document = open("BCNT LSTC DVDR DWRD LSTE", {1, 0x12, 0x34});
    for (int row : {0, 1, 2, 4}) EXPECT_FALSE(editInstance(document, nth(document, row))) << row;
    EXPECT_EQ(queryscript::asked(), 0);
    EXPECT_TRUE(document->saved);

    queryscript::cancel();
    EXPECT_FALSE(editInstance(document, nth(document, 3)));
    EXPECT_TRUE(document->saved);

    queryscript::answer("-2");
    EXPECT_TRUE(editInstance(document, nth(document, 3)));
    EXPECT_FALSE(document->saved);
    EXPECT_EQ(describe(document), "BCNT 1;LSTC #0;.DVDR;.DWRD -2;LSTE");
}

struct InsertCase {
    const char* name;
    std::string rows;
    Bytes bytes;
    int at;  // the instance inserted at, counted from the first
    std::string shown;
};

TEST_F(Changes, InsertedItemsKeepTheirHeadersAndTheCountFollows) {
    const InsertCase cases[] = {
        {"at the end of a list of two",
         "BCNT LSTC UBYT LSTE",
         {2, 5, 6},
         5,
         "BCNT 3;LSTC #0;.UBYT 5;LSTC #1;.UBYT 6;LSTC #2;.UBYT 0;LSTE"},
        {"at the first header of an empty list",
         "WCNT LSTC UBYT LSTE",
         {0, 0},
         1,
         "WCNT 1;LSTC #0;.UBYT 0;LSTE"},
        {"at the end of an empty list", "wcnt LSTC UBYT LSTE", {0, 0}, 2, "wcnt 1;LSTC #0;.UBYT 0;LSTE"},
        {"negative count", "WCNT LSTC UBYT LSTE", {0xFF, 0xFF}, 1, "WCNT 1;LSTC #0;.UBYT 0;LSTE"},
        {"at the first header of a list with items",
         "BCNT LSTC UBYT LSTE",
         {2, 5, 6},
         1,
         "BCNT 3;LSTC #0;.UBYT 0;LSTC #1;.UBYT 5;LSTC #2;.UBYT 6;LSTE"},
        {"at a header within the list",
         "BCNT LSTC UBYT LSTE",
         {2, 5, 6},
         3,
         "BCNT 3;LSTC #0;.UBYT 5;LSTC #1;.UBYT 0;LSTC #2;.UBYT 6;LSTE"},
        {"zero-based count", "BZCT LSTC UBYT LSTE", {0, 5}, 3, "BZCT 1;LSTC #0;.UBYT 5;LSTC #1;.UBYT 0;LSTE"},
        {"an item with a count and an inner list",
         "BCNT LSTC BCNT LSTC UBYT LSTE LSTE",
         {0},
         1,
         "BCNT 1;LSTC #0;.BCNT 0;.LSTC #0;.LSTE;LSTE"},
        {"an item with a zero-based inner list",
         "BCNT LSTC WZCT LSTC UBYT LSTE LSTE",
         {0},
         1,
         "BCNT 1;LSTC #0;.WZCT 0;.LSTC #0;..UBYT 0;.LSTE;LSTE"},
        {"into an inner list",
         "BCNT LSTC BCNT LSTC UBYT LSTE LSTE",
         {1, 1, 7},
         5,
         "BCNT 1;LSTC #0;.BCNT 2;.LSTC #0;..UBYT 7;.LSTC #1;..UBYT 0;.LSTE;LSTE"},
        {"before the last row",
         "BCNT LSTC UBYT LSTE",
         {1, 7},
         3,
         "BCNT 2;LSTC #0;.UBYT 7;LSTC #1;.UBYT 0;LSTE"},
        {"a full one-byte count", "BCNT LSTC LSTE", {255}, 1, ""},
        {"a full zero-based count", "BZCT LSTC LSTE", {255}, 1, ""},
        {"not a list row", "BCNT LSTC UBYT LSTE", {1, 7}, 2, ""},
        {"a list bounded by a size",
         "BLEN LSTS UBYT LSTE",
         {1, 5},
         1,
         "BLEN 2;LSTS #0;.UBYT 0;LSTS #1;.UBYT 5;LSTE"},
        {"a list to the end of the file",
         "LSTZ DWRD LSTE",
         {0, 1},
         2,
         "LSTZ #0;.DWRD 1;LSTZ #1;.DWRD 0;LSTE"},
        {"an empty list in a section", "BSIZ LSTZ UBYT LSTE SKPE", {0}, 1, "BSIZ 1;.LSTZ #0;..UBYT 0;.LSTE"},
        {"a list ended by zeros", "LSTB UBYT LSTE", {0}, 0, ""},
        {"a section that cannot count one byte more", "BSIZ LSTZ UBYT LSTE SKPE", Bytes(256, 0xFF), 3, ""},
        {"the first item of a full section", "BSIZ LSTZ UBYT LSTE SKPE", Bytes(256, 0xFF), 1, ""},
        {"an item of no bytes", "LSTZ DVDR LSTE", {}, 0, ""},
        {"an item holding a list to the end of the data", "BCNT LSTC UBYT LSTZ UBYT LSTE LSTE", {0}, 1, ""},
        {"into the item of zeros of a list", "LSTB BCNT LSTC UBYT LSTE LSTE", {0}, 2, ""},
        {"a list closed by KEYE with rows after it",
         "OCNT LSTC DWRD KEYE DWRD",
         {0, 2, 0, 1, 0, 2, 0, 3, 0, 4},
         1,
         "OCNT 3;LSTC #0;.DWRD 0;DWRD 0;LSTC #1;.DWRD 1;DWRD 2;LSTC #2;.DWRD 3;DWRD 4;KEYE"},
        {"at the second header of that list",
         "OCNT LSTC DWRD KEYE DWRD",
         {0, 2, 0, 1, 0, 2, 0, 3, 0, 4},
         4,
         "OCNT 3;LSTC #0;.DWRD 1;DWRD 2;LSTC #1;.DWRD 0;DWRD 0;LSTC #2;.DWRD 3;DWRD 4;KEYE"},
    };
    for (const InsertCase& c : cases) {
        Document* document = open(c.rows, c.bytes);
        std::string before = describe(document);
        bool inserted = insertItem(document, nth(document, c.at));
        EXPECT_EQ(inserted, !c.shown.empty()) << c.name;
        EXPECT_EQ(document->saved, c.shown.empty()) << c.name;
        EXPECT_EQ(describe(document), c.shown.empty() ? before : c.shown) << c.name;
        EXPECT_TRUE(linksAreSound(document)) << c.name;
    }
}

TEST_F(Changes, DeletedItemsTakeTheirRowsAndTheNumbersFollow) {
    const InsertCase cases[] = {
        {"the last of two", "BCNT LSTC UBYT LSTE", {2, 5, 6}, 3, "BCNT 1;LSTC #0;.UBYT 5;LSTE"},
        {"the first of two", "BCNT LSTC UBYT LSTE", {2, 5, 6}, 1, "BCNT 1;LSTC #0;.UBYT 6;LSTE"},
        {"the only item", "BCNT LSTC UBYT LSTE", {1, 5}, 1, "BCNT 0;LSTC #0;LSTE"},
        {"items without rows", "BCNT LSTC LSTE", {2}, 1, "BCNT 1;LSTC #0;LSTE"},
        {"the only item, zero-based", "WZCT LSTC UBYT LSTE", {0, 0, 5}, 1, "WZCT -1;LSTC #0;LSTE"},
        {"the only item, zero-based in one byte", "BZCT LSTC UBYT LSTE", {0, 5}, 1, ""},
        {"the first of two with inner lists",
         "BCNT LSTC BCNT LSTC UBYT LSTE LSTE",
         {2, 1, 7, 1, 8},
         1,
         "BCNT 1;LSTC #0;.BCNT 1;.LSTC #0;..UBYT 8;.LSTE;LSTE"},
        {"a list bounded by a length", "BLEN LSTS UBYT LSTE", {2, 5, 6}, 1, "BLEN 1;LSTS #0;.UBYT 6;LSTE"},
        {"a list in a section",
         "BSIZ LSTZ UBYT LSTE SKPE UBYT",
         {2, 5, 6, 9},
         3,
         "BSIZ 1;.LSTZ #0;..UBYT 5;.LSTE;UBYT 9"},
        {"ended by zeros, not the last", "LSTB UBYT LSTE", {5, 0}, 0, "LSTB #0;.UBYT 0;LSTE"},
        {"the item of zeros", "LSTB UBYT LSTE", {5, 0}, 2, ""},
        {"the first of a list closed by KEYE",
         "OCNT LSTC DWRD KEYE DWRD",
         {0, 2, 0, 1, 0, 2, 0, 3, 0, 4},
         1,
         "OCNT 1;LSTC #0;.DWRD 3;DWRD 4;KEYE"},
        {"a data row", "BCNT LSTC UBYT LSTE", {1, 5}, 2, ""},
        {"an end row", "BCNT LSTC UBYT LSTE", {1, 5}, 3, ""},
        {"an empty list", "BCNT LSTC UBYT LSTE", {0}, 1, ""},
    };
    for (const InsertCase& c : cases) {
        Document* document = open(c.rows, c.bytes);
        std::string before = describe(document);
        EXPECT_EQ(deleteItem(document, nth(document, c.at)), !c.shown.empty()) << c.name;
        EXPECT_EQ(document->saved, c.shown.empty()) << c.name;
        EXPECT_EQ(describe(document), c.shown.empty() ? before : c.shown) << c.name;
        EXPECT_TRUE(linksAreSound(document)) << c.name;
        saved(document);
        EXPECT_EQ(describe(reopen(c.rows, "saved.bin")), describe(document)) << c.name;
    }
}

TEST_F(Changes, ADeletionIsRefusedInAListWhoseEndWasNeverBound) {
    dir.write("in.bin", Bytes{2, 5});
    Document* document = create("BCNT LSTC UBYT LSTE", dir.path("in.bin").c_str());
    document->instanceLimit = 3;
    ASSERT_EQ(bindFile(document), kResultInstanceLimit);
    EXPECT_FALSE(deleteItem(document, nth(document, 1)));
}

TEST_F(Changes, SizesFollowEditsOrRefuseThem) {
    const struct {
        const char* name;
        std::string rows;
        Bytes bytes;
        int at;
        std::string text;
        Bytes saved;  // empty when the edit is refused
    } cases[] = {
        {"a section", "BSIZ PSTR SKPE", {2, 1, 'a'}, 1, "abc", {4, 3, 'a', 'b', 'c'}},
        {"nested sections", "BSIZ UBYT BSIZ PSTR SKPE SKPE", {4, 9, 2, 1, 'a'}, 3, "", {3, 9, 1, 0}},
        {"a case bounded by a length",
         "BLEN KEYB KUBT CASE:* PSTR KEYE UBYT",
         {2, 7, 1, 'x', 5},
         3,
         "xyz",
         {4, 7, 3, 'x', 'y', 'z', 5}},
        {"a list bounded by a length", "WLEN LSTS PSTR LSTE", {0, 2, 1, 'x'}, 2, "", {0, 1, 0}},
        {"a size that cannot count the bytes", "BSIZ PSTR SKPE", {2, 1, 'a'}, 1, std::string(255, 'z'), {}},
        {"a key", "KEYB KUBT CASE:* KEYE", {1}, 0, "2", {}},
        {"an item of a list ended by zeros turning to zeros", "LSTB UBYT LSTE", {5, 0}, 1, "0", {}},
        {"the item of zeros turning to non-zero", "LSTB UBYT LSTE", {5, 0}, 3, "7", {}},
        {"an item staying non-zero", "LSTB UBYT UBYT LSTE", {5, 1, 0, 0}, 1, "0", {0, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        Document* document = open(c.rows, c.bytes);
        queryscript::answer(c.text);
        EXPECT_EQ(editInstance(document, nth(document, c.at)), !c.saved.empty()) << c.name;
        EXPECT_EQ(saved(document), c.saved.empty() ? c.bytes : c.saved) << c.name;
        queryscript::reset();
    }
}

TEST_F(Changes, AFullZeroBasedCountOfSixtyFourBitsIsNoOverflow) {
    dir.write("in.bin", Bytes{0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    Document* document = create("QZCT LSTC LSTE", dir.path("in.bin").c_str());
    document->instanceLimit = 4;
    ASSERT_EQ(bindFile(document), kResultInstanceLimit);
    document->instanceLimit = kMaxDocumentInstances;
    ASSERT_TRUE(insertItem(document, nth(document, 1)));
    EXPECT_EQ(describe(document), "QZCT 3;LSTC #0;LSTC #1;LSTC #2;LSTC #3");
}

TEST_F(Changes, TheItemThatWasFirstMovesUnderItsOwnHeader) {
    Document* document = open("BCNT LSTC UBYT LSTE", {1, 5});
    FieldInstance* firstHeader = nth(document, 1);
    FieldInstance* oldItem = nth(document, 2);
    ASSERT_TRUE(insertItem(document, firstHeader));
    EXPECT_EQ(nth(document, 2)->parent, firstHeader);
    EXPECT_EQ(oldItem->previous->field, firstHeader->field);
    EXPECT_EQ(oldItem->parent, oldItem->previous);
    EXPECT_EQ(oldItem->previous->listSource, document->first);
}

TEST_F(Changes, InsertingAfterTheLastRowMovesTheEndOfTheDocument) {
    dir.write("in.bin", Bytes{2});
    Document* document = create("BCNT LSTC UBYT LSTE", dir.path("in.bin").c_str());
    document->instanceLimit = 2;  // binding stops right after the first header
    ASSERT_EQ(bindFile(document), kResultInstanceLimit);
    document->instanceLimit = kMaxDocumentInstances;
    ASSERT_TRUE(insertItem(document, document->last));
    EXPECT_EQ(describe(document), "BCNT 2;LSTC #0;.UBYT 0;LSTC #1");
    EXPECT_TRUE(linksAreSound(document));
}

TEST_F(Changes, InsertingIntoANewDocumentAppendsAtItsEnd) {
    Document* document = create("BCNT LSTC DWRD LSTE UBYT", nullptr);
    bindNew(document);
    ASSERT_TRUE(insertItem(document, nth(document, 2)));
    ASSERT_TRUE(insertItem(document, document->first->next));
    EXPECT_EQ(describe(document), "BCNT 2;LSTC #0;.DWRD 0;LSTC #1;.DWRD 0;LSTE;UBYT 0");
    EXPECT_EQ(document->last->field, document->templ->fields[4]);
}

}  // namespace
