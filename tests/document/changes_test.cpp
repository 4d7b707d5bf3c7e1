// Changing a bound document: edits, insertions and deletions, their history, and saving the result.
#include "document/changes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "document/data_window.h"
#include "document/document_harness.h"
#include "document/history.h"
#include "document/row_kind.h"
#include "document/saving.h"
#include "fieldtypes/field_harness.h"

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
// what is refused changes nothing; so is a change to a list whose binding stopped inside it.
// The byte pane shows what saving writes.
TEST_F(Changes, ItemsAreInsertedAndDeleted) {
    const struct {
        char change;  // + insert, - delete
        const char* rows;
        const char* bytes;
        int at;             // the instance changed at, counted from the first
        std::string shown;  // empty when refused
        int64_t limit = kMaxDocumentInstances;
    } cases[] = {
        {'+', "BCNT LSTC UBYT LSTE", "02 05 06", 5,
         "BCNT 3;LSTC #0;.UBYT 5;LSTC #1;.UBYT 6;LSTC #2;.UBYT 0;LSTE"},  // at the end of a list of two
        {'+', "WCNT LSTC UBYT LSTE", "00 00", 1, "WCNT 1;LSTC #0;.UBYT 0;LSTE"},
        {'+', "wcnt LSTC UBYT LSTE", "00 00", 2, "wcnt 1;LSTC #0;.UBYT 0;LSTE"},
        {'+', "WCNT LSTC UBYT LSTE", "FF FF", 1, "WCNT 1;LSTC #0;.UBYT 0;LSTE"},  // negative count
        {'+', "BCNT LSTC UBYT LSTE", "02 05 06", 1,
         "BCNT 3;LSTC #0;.UBYT 0;LSTC #1;.UBYT 5;LSTC #2;.UBYT 6;LSTE"},
        {'+', "BCNT LSTC UBYT LSTE", "02 05 06", 3,
         "BCNT 3;LSTC #0;.UBYT 5;LSTC #1;.UBYT 0;LSTC #2;.UBYT 6;LSTE"},  // at a header within the list
        {'+', "BZCT LSTC UBYT LSTE", "00 05", 3, "BZCT 1;LSTC #0;.UBYT 5;LSTC #1;.UBYT 0;LSTE"},
        {'+', "BCNT LSTC BCNT LSTC UBYT LSTE LSTE", "00", 1, "BCNT 1;LSTC #0;.BCNT 0;.LSTC #0;.LSTE;LSTE"},
        {'+', "BCNT LSTC WZCT LSTC UBYT LSTE LSTE", "00", 1,
         "BCNT 1;LSTC #0;.WZCT 0;.LSTC #0;..UBYT 0;.LSTE;LSTE"},  // an item with a zero-based inner list
        {'+', "BCNT LSTC BCNT LSTC UBYT LSTE LSTE", "01 01 07", 5,
         "BCNT 1;LSTC #0;.BCNT 2;.LSTC #0;..UBYT 7;.LSTC #1;..UBYT 0;.LSTE;LSTE"},  // into an inner list
        {'+', "BCNT LSTC UBYT LSTE", "01 07", 3, "BCNT 2;LSTC #0;.UBYT 7;LSTC #1;.UBYT 0;LSTE"},
        {'+', "BCNT LSTC LSTE", "FF", 1, ""},          // a full one-byte count
        {'+', "BZCT LSTC LSTE", "FF", 1, ""},          // a full zero-based count
        {'+', "BCNT LSTC UBYT LSTE", "01 07", 2, ""},  // not a list row
        {'+', "WCNT LSTC DWRD LSTE hlng", "00 01 12 34 01 02 03 04 09 09", 1,
         "WCNT 2;LSTC #0;.DWRD 0;LSTC #1;.DWRD 4660;LSTE;hlng $04030201;REST 2"},
        {'+', "BLEN LSTS UBYT LSTE", "01 05", 1, "BLEN 2;LSTS #0;.UBYT 0;LSTS #1;.UBYT 5;LSTE"},
        {'+', "LSTZ DWRD LSTE", "00 01", 2, "LSTZ #0;.DWRD 1;LSTZ #1;.DWRD 0;LSTE"},
        {'+', "BSIZ LSTZ UBYT LSTE SKPE", "00", 1, "BSIZ 1;.LSTZ #0;..UBYT 0;.LSTE"},
        {'+', "LSTB UBYT LSTE", "00", 0, ""},                // a list ended by zeros
        {'+', "BSIZ LSTZ UBYT LSTE SKPE", "FF*256", 3, ""},  // a section that cannot count one byte more
        {'+', "BSIZ LSTZ UBYT LSTE SKPE", "FF*256", 1, ""},  // the first item of a full section
        {'+', "LSTZ DVDR LSTE", "", 0, ""},                  // an item of no bytes
        {'+', "BCNT LSTC UBYT LSTZ UBYT LSTE LSTE", "00", 1,
         "BCNT 1;LSTC #0;.UBYT 0;.LSTZ #0;.LSTE;LSTE"},  // its list to the end of the data takes nothing after it
        {'+', "BCNT LSTC UBYT LSTZ UBYT LSTE LSTE", "01 05", 1, ""},  // but here it would take the next item
        {'+', "LSTZ UBYT LSTE LSTZ UBYT LSTE", "01 02", 6, ""},     // an earlier list would take the new item
        {'+', "BCNT LSTC LSTB BSIZ UBYT SKPE LSTE LSTE", "00", 1, ""},  // the new item of zeros is not zeros
        {'+', "BCNT LSTC UBYT LSTC LSTE LSTE", "00", 1, ""},            // the template cannot make the item
        {'+', "LSTB BCNT LSTC UBYT LSTE LSTE", "00", 2, ""},            // into the item of zeros of a list
        {'+', "LSTB LSTB BCNT LSTC UBYT LSTE LSTE LSTE", "00", 3, ""},  // into an item of zeros in another
        // KEYE closing a list ends its items as LSTE does.
        {'+', "OCNT LSTC DWRD KEYE DWRD", "00 02 00 01 00 02 00 03 00 04", 1,
         "OCNT 3;LSTC #0;.DWRD 0;LSTC #1;.DWRD 1;LSTC #2;.DWRD 2;KEYE;DWRD 3;REST 2"},
        {'+', "OCNT LSTC DWRD KEYE DWRD", "00 02 00 01 00 02 00 03 00 04", 3,
         "OCNT 3;LSTC #0;.DWRD 1;LSTC #1;.DWRD 0;LSTC #2;.DWRD 2;KEYE;DWRD 3;REST 2"},
        {'-', "BCNT LSTC UBYT LSTE", "02 05 06", 3, "BCNT 1;LSTC #0;.UBYT 5;LSTE"},  // the last of two
        {'-', "BCNT LSTC UBYT LSTE", "02 05 06", 1, "BCNT 1;LSTC #0;.UBYT 6;LSTE"},  // the first of two
        {'-', "BCNT LSTC UBYT LSTE", "01 05", 1, "BCNT 0;LSTC #0;LSTE"},             // the only item
        {'-', "BCNT LSTC LSTE", "02", 1, "BCNT 1;LSTC #0;LSTE"},                     // items without rows
        {'-', "WZCT LSTC UBYT LSTE", "00 00 05", 1, "WZCT -1;LSTC #0;LSTE"},  // the only item, zero-based
        {'-', "BZCT LSTC UBYT LSTE", "00 05", 1, ""},  // the only item, zero-based in one byte
        {'-', "BCNT LSTC BCNT LSTC UBYT LSTE LSTE", "02 01 07 01 08", 1,
         "BCNT 1;LSTC #0;.BCNT 1;.LSTC #0;..UBYT 8;.LSTE;LSTE"},  // the first of two with inner lists
        {'-', "BLEN LSTS UBYT LSTE", "02 05 06", 1, "BLEN 1;LSTS #0;.UBYT 6;LSTE"},
        {'-', "BSIZ LSTZ UBYT LSTE SKPE UBYT", "02 05 06 09", 3, "BSIZ 1;.LSTZ #0;..UBYT 5;.LSTE;UBYT 9"},
        {'-', "LSTB UBYT LSTE", "05 00", 0, "LSTB #0;.UBYT 0;LSTE"},  // ended by zeros, not the last
        {'-', "LSTB UBYT LSTE", "05 00", 2, ""},                      // the item of zeros
        // An item whose count is its only non-zero byte, the count staying non-zero.
        {'-', "LSTB BCNT LSTC UBYT LSTE LSTE", "02 00 00 00", 2,
         "LSTB #0;.BCNT 1;.LSTC #0;..UBYT 0;.LSTE;LSTB #1;.BCNT 0;.LSTC #0;.LSTE;LSTE"},
        {'-', "LSTB qcnt LSTC UBYT LSTE LSTE", "01 00*7 00 00*8", 2, ""},  // leaves an item of zeros
        {'-', "OCNT LSTC DWRD KEYE DWRD", "00 02 00 01 00 02 00 03 00 04", 1,
         "OCNT 1;LSTC #0;.DWRD 2;KEYE;DWRD 3;REST 2"},  // the first of a list closed by KEYE
        {'-', "BCNT LSTC UBYT LSTE", "01 05", 2, ""},     // a data row
        {'-', "BCNT LSTC UBYT LSTE", "01 05", 3, ""},     // an end row
        {'-', "BCNT LSTC UBYT LSTE", "00", 1, ""},        // an empty list
        {'-', "BCNT LSTC UBYT LSTE", "02 05", 1, "", 3},  // in a list whose end was never bound
        {'+', "QZCT LSTC LSTE", "7F FF*7", 1, "", 4},  // a list whose end was never bound
        {'+', "BCNT LSTC UBYT LSTE", "05 00 01 00 02", 1, "", 4},
    };
    for (const auto& c : cases) {
        const std::string where = c.change + std::to_string(c.at) + " " + c.rows + " | " + c.bytes;
        limit = c.limit;
        Document* document = open(c.rows, bytesOf(c.bytes));
        document->instanceLimit = kMaxDocumentInstances;
        std::string before = describe(document);
        FieldInstance* at = nth(document, c.at);
        EXPECT_EQ(c.change == '+' ? insertItem(document, at) : deleteItem(document, at), !c.shown.empty())
            << where;
        EXPECT_EQ(document->saved, c.shown.empty()) << where;
        EXPECT_EQ(describe(document), c.shown.empty() ? before : c.shown) << where;
        EXPECT_TRUE(linksAreSound(document)) << where;
        if (limit != kMaxDocumentInstances) continue;
        EXPECT_EQ(windowMismatch(document, saved(document)), -1) << where;
        EXPECT_EQ(describe(reopen(c.rows, "saved.bin")), describe(document)) << where;
    }
}

// An edit at a row, answered with a text, saves the bytes given (the bytes read when it is refused),
// sizes following; the byte pane shows them.
TEST_F(Changes, EditsSaveTheirBytesWithSizesFollowingOrAreRefused) {
    const std::tuple<const char*, const char*, const char*, int, std::string, const char*> cases[] = {
        {"bytes no row covers", "PSTR UBYT", "01 'a' 05 'bytes after'", 0, "longer",
         "06 'longer' 05 'bytes after'"},
        {"a section", "BSIZ PSTR SKPE", "02 01 'a'", 1, "abc", "04 03 'abc'"},
        {"zero-terminated text in a section", "BSIZ CSTR SKPE UBYT", "03 'ab' 00 05", 1, "abcd",
         "05 'abcd' 00 05"},
        {"a variable-length number in a section", "BSIZ ULEB SKPE UBYT", "01 05 07", 1, "300", "02 AC 02 07"},
        {"a redundant encoding edited", "BSIZ SLEB SKPE", "02 FF 7F", 1, "-1", "01 7F"},
        {"a MIDI number beyond four groups", "BSIZ UVLQ SKPE", "01 00", 1, "268435456", ""},
        {"nested sections", "BSIZ UBYT BSIZ PSTR SKPE SKPE", "04 09 02 01 'a'", 3, "", "03 09 01 00"},
        {"a case bounded by a length", "BLEN KEYB KUBT CASE:* PSTR KEYE UBYT", "02 07 01 'x' 05", 3, "xyz",
         "04 07 03 'xyz' 05"},
        {"a list bounded by a length", "WLEN LSTS PSTR LSTE", "00 02 01 'x'", 2, "", "00 01 00"},
        {"a size that cannot count the bytes", "BSIZ PSTR SKPE", "02 01 'a'", 1, std::string(255, 'z'), ""},
        {"a key choosing the same case", "KEYB KUBT CASE:1,2 UBYT CASE:* KEYE", "01 05", 0, "2", "02 05"},
        {"a key choosing another case", "KEYB KUBT CASE:1 UBYT CASE:2 UWRD KEYE", "01 05 06", 0, "2", "02 05 06"},
        {"a key name", "KEYB KNAM CASE:'IHDR','IEND' KEYE", "'IHDR'", 0, "IEND", "'IEND'"},
        {"an item of a list ended by zeros turning to zeros", "LSTB UBYT LSTE", "05 00", 1, "0", ""},
        {"the item of zeros turning to non-zero", "LSTB UBYT LSTE", "05 00", 3, "7", ""},
        {"an item staying non-zero", "LSTB UBYT UBYT LSTE", "05 01 00 00", 1, "0", "00 01 00 00"},
        {"a section before a key section", "BSIZ UBYT SKPE KEYB KUBT CASE:* KEYE", "01 05 07", 1, "6",
         "01 06 07"},
        {"a length before two key sections", "BLEN KEYB KUBT CASE:* UBYT KEYE KEYB KUBT CASE:* KEYE",
         "01 07 05 09", 3, "6", "01 07 06 09"},
        {"a section closed before binding stopped", "BSIZ PSTR SKPE UWRD", "04 01 'a' EE FF", 1, "abc",
         "06 03 'abc' EE FF"},
        {"a section binding stopped inside", "BSIZ PSTR UWRD SKPE", "03 01 'a' 05 06", 1, "abc",
         "05 03 'abc' 05 06"},
        {"after a closing row that closes nothing", "SKPE BLEN KEYB KUBT CASE:* UBYT KEYE", "02 07 05 06", 0,
         "9", ""},
        {"a value a condition reads", "UBYT:F WHEN:W=F UBYT SKPE UBYT", "01 05 06", 0, "0", "00 05 06"},
        {"a value inside a condition", "UBYT:F WHEN:W=F UBYT SKPE UBYT", "01 05 06", 1, "7", "01 07 06"},
        {"a value a computed count reads", "UBYT:N LSTN:I=N UBYT LSTE", "01 05", 0, "2", ""},
        {"a value a computed length reads", "UBYT:N SECT:S=N UBYT SKPE", "01 05", 0, "0", ""},
        {"a value of the same size in a computed section", "UBYT:N SECT:S=N UBYT SKPE", "01 05", 2, "6", "01 06"},
        {"a value of another size in a computed section", "UBYT:N SECT:S=N PSTR SKPE", "01 00", 2, "a", ""},
        {"text to the end of a section growing", "BSIZ TEXT:T=@end-@offset SKPE UBYT", "02 'ab' 07", 1, "abcd",
         "04 'abcd' 07"},
        {"text of a fixed length growing", "TEXT:T=2 UBYT", "'ab' 07", 0, "abcd", ""},
        // The fuzzer found it: the check follows, and its new byte would end the pattern's run later.
        {"a check that would move what reads its bytes", "UBYT:A UPTO:U=0 CHKB:C=sum(0,1)", "00 00 09", 0, "7", ""},
        // The fuzzer found it too: the bytes after read in the other byte order, so they are laid out anew.
        {"a value a byte order reads", "UBYT:F ORDR:L=F&1 uwrd SKPE", "00 12 34", 0, "1", "01 12 34"},
        {"a check that moves nothing", "UBYT:A CHKB:C=sum(0,1) UPTO:U=9", "00 00 09", 0, "7", "07 07 09"},
    };
    for (const auto& [name, rows, bytes, at, text, after] : cases) {
        Document* document = open(rows, bytesOf(bytes));
        queryscript::answer(text);
        EXPECT_EQ(editInstance(document, nth(document, at)), *after != 0) << name;
        const Bytes expected = bytesOf(*after ? after : bytes);
        EXPECT_EQ(saved(document), expected) << name;
        EXPECT_EQ(windowMismatch(document, expected), -1) << name;
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

const char* const kRows = "BSIZ BCNT LSTC PSTR LSTE SKPE UBYT";
const Bytes kBytes{4, 2, 1, 'a', 0, 7};

// An edit, an insertion and a deletion, each undone and redone in turn.
TEST_F(Changes, ChangesAreUndoneAndRedoneInOrder) {
    Document* document = open(kRows, kBytes);
    std::vector<std::string> shown{describe(document)};
    queryscript::answer("xyz");
    ASSERT_TRUE(editInstance(document, nth(document, 3)));
    shown.push_back(describe(document));
    ASSERT_TRUE(insertItem(document, nth(document, 2)));
    shown.push_back(describe(document));
    ASSERT_TRUE(deleteItem(document, nth(document, 4)));
    shown.push_back(describe(document));
    EXPECT_FALSE(canRedo(document));

    for (int at = 2; at >= 0; --at) {
        ASSERT_TRUE(undoChange(document));
        EXPECT_EQ(describe(document), shown[at]) << at;
        EXPECT_TRUE(linksAreSound(document));
        EXPECT_EQ(document->saved, at == 0);
    }
    EXPECT_FALSE(undoChange(document));
    EXPECT_EQ(saved(document), kBytes);
    for (int at = 1; at <= 3; ++at) {
        ASSERT_TRUE(redoChange(document));
        EXPECT_EQ(describe(document), shown[at]) << at;
        EXPECT_FALSE(document->saved);
    }
    EXPECT_FALSE(redoChange(document));
    EXPECT_EQ(describe(reopen(kRows, "saved.bin")), shown[0]);
    saved(document, "again.bin");
    EXPECT_EQ(describe(reopen(kRows, "again.bin")), shown[3]);
}

TEST_F(Changes, SavingKeepsTheHistoryAndMovesTheSavedState) {
    Document* document = open(kRows, kBytes);
    ASSERT_TRUE(insertItem(document, nth(document, 2)));
    ASSERT_FALSE(saved(document).empty());
    ASSERT_TRUE(undoChange(document));
    EXPECT_FALSE(document->saved);
    ASSERT_TRUE(redoChange(document));
    EXPECT_TRUE(document->saved);

    // A new change after an undo drops what could be redone, the saved state with it.
    ASSERT_TRUE(undoChange(document));
    ASSERT_TRUE(deleteItem(document, nth(document, 2)));
    EXPECT_FALSE(canRedo(document));
    ASSERT_TRUE(undoChange(document));
    EXPECT_FALSE(document->saved);
}

TEST_F(Changes, RestBytesFollowTheFileAcrossSavesOverIt) {
    Document* document = open("PSTR", bytesOf("01 'a' 07 08 09"), "same.bin");
    queryscript::answer("abc");
    ASSERT_TRUE(editInstance(document, document->first));
    EXPECT_EQ(saveDocument(document, document->path), 7);
    EXPECT_EQ(dir.read("same.bin"), bytesOf("03 'abc' 07 08 09"));
    queryscript::answer("");
    ASSERT_TRUE(editInstance(document, document->first));
    EXPECT_EQ(saveDocument(document, dir.path("copy.bin").c_str()), 4);
    EXPECT_EQ(saveDocument(document, document->path), 4);
    EXPECT_EQ(dir.read("same.bin"), bytesOf("00 07 08 09"));
    EXPECT_EQ(dir.read("copy.bin"), dir.read("same.bin"));
}

// A deleted item's bytes are gone from the file a save wrote over the one they were in; undo brings
// them back all the same.
TEST_F(Changes, AnItemBroughtBackAfterASaveOverItsFileKeepsItsBytes) {
    const Bytes original = bytesOf("02 03 AA BB CC 02 DD EE 11 22 33 44 55 66");
    Document* document = open("BCNT LSTC BSIZ SKPE LSTE", original, "same.bin");
    ASSERT_TRUE(deleteItem(document, nth(document, 4)));
    ASSERT_EQ(saveDocument(document, document->path), 11);
    ASSERT_EQ(saveDocument(document, document->path), 11);  // with the bytes held already
    ASSERT_TRUE(undoChange(document));
    EXPECT_EQ(windowMismatch(document, original), -1);
    ASSERT_EQ(saveDocument(document, document->path), 14);
    EXPECT_EQ(dir.read("same.bin"), original);
}

TEST_F(Changes, ASaveOverAFileAnotherProgramChangedIsRefusedUnlessAskedFor) {
    Document* document = open("UBYT", bytesOf("01"), "mine.bin");
    dir.write("mine.bin", bytesOf("01 02"));
    EXPECT_EQ(saveDocument(document, document->path), kResultChangedOnDisk);
    EXPECT_EQ(dir.read("mine.bin"), bytesOf("01 02"));
    EXPECT_EQ(saveDocument(document, document->path, true), 1);
    EXPECT_EQ(dir.read("mine.bin"), bytesOf("01"));
}

TEST_F(Changes, RestBytesAreNotCopiedFromAFileThatChanged) {
    Document* document = open("UBYT", bytesOf("01 02 03"), "source.bin");
    dir.write("source.bin", bytesOf("01 02 03 04"));
    dir.write("out.bin", bytesOf("05"));
    EXPECT_EQ(saveDocument(document, dir.path("out.bin").c_str()), kResultSourceChanged);
    EXPECT_EQ(dir.read("out.bin"), bytesOf("05"));
    EXPECT_FALSE(dir.exists("out.bin.saving"));
}

TEST_F(Changes, AFailedSaveLeavesTheOldFileAndTheUnsavedMark) {
    FieldTypeProcs procs = findFieldType(makeFieldCode("UBYT"))->procs;
    procs.writeValue = [](FieldInstance*, void*, TIOStream*, int64_t) -> int64_t { return -7; };
    ASSERT_TRUE(registerFieldType(makeFieldCode("BADW"), "fails", 0, &procs));
    dir.write("old.bin", bytesOf("09 09 09"));
    Document* document = open("UBYT BADW", bytesOf("01 02"));
    document->saved = false;
    EXPECT_EQ(saveDocument(document, dir.path("old.bin").c_str()), -7);
    EXPECT_EQ(dir.read("old.bin"), bytesOf("09 09 09"));
    EXPECT_FALSE(dir.exists("old.bin.saving"));
    EXPECT_EQ(saveDocument(document, dir.path("no such dir\\out.bin").c_str()), kResultCannotOpen);
    EXPECT_FALSE(document->saved);
    Document* empty = open("UBYT", {}, "empty.bin");  // no byte to write is a save all the same
    empty->saved = false;
    EXPECT_EQ(saveDocument(empty, dir.path("empty.bin").c_str()), 0);
    EXPECT_TRUE(empty->saved);
}

TEST_F(Changes, ACountTakesItsLargestNumberOfItems) {
    Document* document = open("BCNT LSTC LSTE", bytesOf("FE"));
    EXPECT_TRUE(insertItem(document, nth(document, 1)));
    EXPECT_EQ(describe(document).substr(0, 9), "BCNT 255;");
    EXPECT_FALSE(insertItem(document, nth(document, 1)));
}

const char* const kTemplate =
    "HLNG:Magic BCNT:Groups wzct:Extra LSTC:Group PSTR:Name DWRD:Id CSTR:Label sleb:Delta QZCT:Entries "
    "LSTC:Entry hwrd:Flags lstr:Text DVDR:Line UQWD:Stamp LCNT:Tags LSTC:Tag UBYT:Tag LSTE LSTE LSTE "
    "LSTC:Extra dlng:Value LSTE ubyt:Tail UVLQ:Time utri:Colour WSIZ:Block LSTZ:Word PSTR:Word uleb:Count "
    "LSTE SKPE";

std::string randomText(std::mt19937& random) {
    std::string text(random() % 6, 'a');
    for (char& c : text) c = static_cast<char>('a' + random() % 26);
    return text;
}

// A random edit, insertion or deletion somewhere in the document, or one undone or redone.
void changeSomething(Document* document, std::mt19937& random) {
    if (random() % 8 == 0) {
        random() % 3 ? undoChange(document) : redoChange(document);
        return;
    }
    FieldInstance* target = nth(document, static_cast<int>(random() % document->instanceCount));
    RowRole role = rowKindOf(target->field->code).role;
    bool header = role == RowRole::CountedList || role == RowRole::SizedList;
    if (header && random() % 2) {
        deleteItem(document, target);
    } else if (header || role == RowRole::ListEnd) {
        insertItem(document, target);
    } else if (target->field->fieldType) {
        queryscript::answer(random() % 2 ? std::to_string(static_cast<int>(random() % 70000) - 35000)
                                         : randomText(random));
        editInstance(document, target);
        queryscript::reset();
    }
}

// Counts come from the changes, never from random bytes, which would ask for billions of items.
TEST_F(Changes, SavedDocumentsBindBackToWhatTheyShowed) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        Document* document = create(kTemplate, nullptr);
        bindNew(document);
        for (int round = 0; round < 2; ++round) {
            for (int change = 0; change < 25; ++change) changeSomething(document, random);
            ASSERT_TRUE(linksAreSound(document)) << seed;
            ASSERT_GE(saveDocument(document, dir.path("saved.bin").c_str()), 0) << seed;
            Document* again = reopen(kTemplate, "saved.bin");
            ASSERT_EQ(result, 0) << seed;
            ASSERT_EQ(describe(again), describe(document)) << "seed " << seed << " round " << round;
            document = again;
        }
    }
}

TEST_F(Changes, TheWindowSeeksFromEachOriginWithinItsEnd) {
    BytesStream file(Bytes(10, 1));
    DataWindow window(&file, 8);
    // A seek refused gives 0 and leaves the window where it was.
    const std::tuple<int64_t, int, int64_t, int64_t> seeks[] = {
        {6, 0, 6, 6},  {-4, 1, 2, 2},        {-3, 2, 5, 5},        {4, 1, 0, 5},
        {-6, 1, 0, 5}, {INT64_MAX, 1, 0, 5}, {INT64_MIN, 2, 0, 5}, {INT64_MIN + 1, 1, 0, 5},
    };
    for (auto [offset, origin, result, at] : seeks) {
        EXPECT_EQ(window.Seek(offset, origin), result) << offset << " from " << origin;
        EXPECT_EQ(window.at(), at) << offset << " from " << origin;
    }
}

// A field type may read ahead and seek back: the file moves only for the next read, and the bytes
// read ahead count for an item of zeros only once the window has passed them.
TEST_F(Changes, TheWindowLetsAFieldReadAheadAndGoBack) {
    struct SeekCounting : BytesStream {
        using BytesStream::BytesStream;
        int seeks = 0;
        int64_t Seek(int64_t offset, int origin) override {
            ++seeks;
            return BytesStream::Seek(offset, origin);
        }
    } file(bytesOf("00 00 07 00"));
    DataWindow window(&file, 4);
    unsigned char bytes[4];
    EXPECT_EQ(window.Read(bytes, 4), 4);
    EXPECT_TRUE(window.Seek(0, 2) == 4 && window.Seek(1, 0) == 1);
    EXPECT_EQ(file.seeks, 0);
    EXPECT_FALSE(window.takeNonZeroMark());
    EXPECT_TRUE(window.Read(bytes, 1) == 1 && bytes[0] == 0 && file.seeks == 1);
    EXPECT_FALSE(window.takeNonZeroMark());
    EXPECT_TRUE(window.Read(bytes, 1) == 1 && bytes[0] == 7);
    EXPECT_TRUE(window.takeNonZeroMark());
    EXPECT_FALSE(window.takeShortMark());
}

// Such a row still takes its bytes when the file is read; saving leaves it out, editing passes it by.
TEST_F(Changes, RowsOfATypeThatCannotWriteOrEditAreLeftOutOfTheSavedFile) {
    FieldTypeProcs procs = findFieldType(makeFieldCode("UBYT"))->procs;
    procs.writeValue = nullptr;
    procs.editValue = nullptr;
    ASSERT_TRUE(registerFieldType(makeFieldCode("NOWR"), "cannot write", 0, &procs));
    Document* document = open("UBYT NOWR UBYT", {1, 2, 3});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(document->instanceCount, 3);
    EXPECT_FALSE(editInstance(document, document->first->next));
    EXPECT_TRUE(document->saved);
    EXPECT_EQ(saved(document), (Bytes{1, 3}));
}

}  // namespace
