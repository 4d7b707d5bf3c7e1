// Large lists fold their items: the rows they stand for read, save and show as if bound, items bind
// in place when shown, and changes keep counts and numbers in step.
#include <gtest/gtest.h>

#include <random>

#include "document/changes.h"
#include "document/history.h"
#include "document/lists.h"
#include "document/paste_bytes.h"
#include "document/document_harness.h"
#include "document/folds.h"
#include "document/rows.h"
#include "views/document/headless/query_script.h"

namespace {

constexpr const char* kNamed = "LCNT:Records LSTC:Record DWRD:Id PSTR:Name UBYT:Flags LSTE:Record";
constexpr const char* kFixed = "LCNT:Records LSTC:Record DWRD:Id UBYT:Flags LSTE:Record";

// A count and N records of an id, a name of 0 to 9 letters and a flags byte.
Bytes namedRecords(int count) {
    Bytes bytes{static_cast<unsigned char>(count >> 24), static_cast<unsigned char>(count >> 16),
                static_cast<unsigned char>(count >> 8), static_cast<unsigned char>(count)};
    for (int i = 0; i < count; ++i) {
        bytes.push_back(static_cast<unsigned char>(i >> 8));
        bytes.push_back(static_cast<unsigned char>(i));
        bytes.push_back(static_cast<unsigned char>(i % 10));
        for (int c = 0; c < i % 10; ++c) bytes.push_back(static_cast<unsigned char>('a' + (i + c) % 26));
        bytes.push_back(static_cast<unsigned char>(i * 7));
    }
    return bytes;
}

// Every row the document shows, folded rows as binding them would show them.
std::string shownRows(Document* document) {
    std::string text;
    visitRows(document, [&](const Row& row) { text += rowTextLine(row, 0); });
    return text;
}

FieldInstance* firstFold(Document* document) {
    FieldInstance* at = document->first;
    while (at && !isFoldInstance(at)) at = at->next;
    return at;
}

struct FoldTest : DocumentTest {
    Document* folded(const char* rows, const Bytes& bytes, int64_t above = 2) {
        dir.write("in.bin", bytes);
        Document* document = create(rows, dir.path("in.bin").c_str());
        document->foldAbove = above;
        result = bindFile(document);
        return document;
    }
    Document* whole(const char* rows) { return reopen(rows, "in.bin"); }
};

// The same records as a counted list, a list to the end of the data, and a list to the end of its
// size with a row after it; and records of one size.
Bytes sizedRecords(int count) {
    Bytes bytes = namedRecords(count);
    uint32_t body = static_cast<uint32_t>(bytes.size() - 4);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(body >> (24 - 8 * i));
    bytes.push_back(0x77);
    return bytes;
}

Bytes fixedRecords(int count) {
    Bytes bytes{0, 0, static_cast<unsigned char>(count >> 8), static_cast<unsigned char>(count)};
    for (int i = 0; i < count; ++i) bytes.insert(bytes.end(), {static_cast<unsigned char>(i), 1, 2});
    return bytes;
}

TEST_F(FoldTest, FoldedListsShowSaveAndReadAsBoundOnes) {
    const struct {
        const char* rows;
        Bytes (*records)(int);
    } cases[] = {
        {kNamed, namedRecords},
        {kFixed, fixedRecords},
        {"DWRD:Head DWRD:Head LSTZ:Record DWRD:Id PSTR:Name UBYT:Flags LSTE:Record", namedRecords},
        {"LSIZ:Size LSTS:Record DWRD:Id PSTR:Name UBYT:Flags LSTE:Record UBYT:After", sizedRecords},
    };
    for (const auto& c : cases) {
        for (int count : {3, 40, 3000}) {
            Bytes bytes = c.records(count);
            Document* document = folded(c.rows, bytes);
            Document* reference = whole(c.rows);
            EXPECT_EQ(foldCount(document), 1) << c.rows << count;
            EXPECT_LE(document->instanceCount, 9) << "the first item and a fold for the others";
            EXPECT_EQ(shownRows(document), shownRows(reference)) << c.rows << count;
            EXPECT_EQ(documentRows(document), reference->instanceCount);
            EXPECT_EQ(saved(document), bytes);
            EXPECT_EQ(windowMismatch(document, bytes), -1);
        }
    }
}

TEST_F(FoldTest, RowsAndBytesBindInPlaceWhenShown) {
    Bytes bytes = namedRecords(2500);
    Document* document = folded(kNamed, bytes);
    Document* reference = whole(kNamed);
    std::string expected = shownRows(reference);
    std::mt19937 random(7);
    // Rows in any order, across marks, at both ends of the fold and of what is left of it.
    for (int round = 0; round < 60; ++round) {
        FieldInstance* fold = firstFold(document);
        if (!fold) break;
        int64_t row = round % 3 == 0 ? 0 : round % 3 == 1 ? foldRows(fold) - 1 : random() % foldRows(fold);
        FieldInstance* shown = unfoldRow(fold, row);
        ASSERT_NE(shown, nullptr);
        EXPECT_FALSE(isFoldInstance(shown));
        EXPECT_EQ(shownRows(document), expected) << "after showing row " << row;
        EXPECT_TRUE(linksAreSound(document));
    }
    EXPECT_EQ(saved(document), bytes);
    EXPECT_EQ(windowMismatch(document, bytes), -1);
}

TEST_F(FoldTest, ByteOffsetsFindTheRowThatHoldsThem) {
    Bytes bytes = namedRecords(3000);
    Document* document = folded(kNamed, bytes);
    Document* reference = whole(kNamed);
    for (int64_t offset : {4 + 13, 4 + 16, 5000, 12000, static_cast<int>(bytes.size()) - 1}) {
        // Where the rows stand in the bound document: the one whose bytes reach past the offset.
        int64_t at = 0;
        FieldInstance* holder = reference->first;
        while (at + instanceSize(holder) <= offset) at += instanceSize(holder), holder = holder->next;
        FieldInstance* fold = document->first;
        int64_t foldAt = 0;
        for (; foldAt + instanceSize(fold) <= offset; fold = fold->next) foldAt += instanceSize(fold);
        ASSERT_TRUE(isFoldInstance(fold)) << offset;
        FieldInstance* shown = unfoldByte(fold, offset - foldAt);
        ASSERT_NE(shown, nullptr) << offset;
        EXPECT_EQ(drawnValue(shown), drawnValue(holder)) << offset;
        EXPECT_EQ(std::string(shown->field->code, 4), std::string(holder->field->code, 4)) << offset;
    }
    EXPECT_EQ(shownRows(document), shownRows(reference));
}

TEST_F(FoldTest, HostileCountsFoldWhatTheFileHolds) {
    Bytes bytes = namedRecords(50);
    bytes[0] = 0x7F;  // two thousand million records claimed
    bytes.push_back(9);  // and half of one more
    Document* document = folded(kNamed, bytes);
    EXPECT_EQ(document->stopReason, BindStop::FieldPastFileEnd);
    EXPECT_EQ(foldCount(document), 1);
    EXPECT_EQ(foldItems(firstFold(document)), 49);
    // The list's end was never bound, so its items are counted one by one, folded ones too.
    ListOf list, bound;
    ASSERT_TRUE(findList(document, nth(document, 1), list));
    Document* reference = whole(kNamed);
    ASSERT_TRUE(findList(reference, nth(reference, 1), bound));
    EXPECT_EQ(list.items, bound.items);
    EXPECT_EQ(shownRows(document), shownRows(reference));
    EXPECT_EQ(saved(document), bytes);
    EXPECT_TRUE(linksAreSound(document));
}

// A list folds when its items' bytes can be told from the file and nothing outside the items reads
// them; what else the template computes does not matter.
TEST_F(FoldTest, ListsFoldUnlessTheirRowsMustBeRead) {
    const struct {
        const char* rows;
        bool folds;
    } cases[] = {
        {"LCNT LSTC DWRD PSTR LSTE", true},
        {"LEAD:Kind=le(0,4)>0 LCNT LSTC DWRD PSTR LSTE CALC:Half=@filesize/2", true},
        {"LCNT:N LSTN:Item=N DWRD:Id PSTR LSTE", true},              // a computed count
        {"LCNT LSTC DWRD CSTR LSTE", false},                         // zero-terminated: no length to tell
        {"LCNT LSTC:R DWRD:Id PSTR LSTE CALC:X=R.Id+1", false},       // the last item's Id, read after the list
        {"LCNT LSTC:R DWRD:Id PSTR LSTE CALC:E=end(R.Id)", false},    // where it ends
        {"LCNT LSTC DWRD PSTR LSTE ATOF:At=0,1 UBYT SKPE", false},   // rows placed by offset
        {"LCNT LSTC DWRD:Id KEYB KUBT CASE:* UBYT KEYE LSTE", false},  // a key chooses each item's rows
    };
    Bytes bytes{0, 0, 0, 5};
    for (int i = 0; i < 5; ++i) bytes.insert(bytes.end(), {0, static_cast<unsigned char>(i), 1, 'a'});
    for (const auto& c : cases) {
        Document* document = folded(c.rows, bytes);
        ASSERT_EQ(document->templ->errorMessage, nullptr) << c.rows;
        EXPECT_EQ(foldCount(document), c.folds ? 1 : 0) << c.rows;
        EXPECT_EQ(shownRows(document), shownRows(whole(c.rows))) << c.rows;
    }
}

TEST_F(FoldTest, ShowingAnItemOfAChangedFileChangesNothing) {
    Document* document = folded(kNamed, namedRecords(30));
    std::string before = describe(document);
    dir.write("in.bin", namedRecords(31));
    EXPECT_EQ(unfoldRow(firstFold(document), 10), nullptr);
    EXPECT_EQ(describe(document), before);
}

TEST_F(FoldTest, ChangesNextToFoldsKeepCountAndNumbers) {
    Bytes bytes = namedRecords(30);
    Document* document = folded(kNamed, bytes);
    FieldInstance* header = unfoldRow(firstFold(document), 6 * 4);  // item 7's header: items are four rows
    ASSERT_NE(header, nullptr);
    ASSERT_TRUE(insertItem(document, header));
    ASSERT_TRUE(deleteItem(document, unfoldRow(firstFold(document), 0)));
    // A name made longer in a shown item.
    FieldInstance* name = unfoldRow(firstFold(document), 4 * 3 + 2);
    ASSERT_TRUE(name && name->field->code[0] == 'P');
    queryscript::answer("a longer name");
    ASSERT_TRUE(editInstance(document, name));
    Bytes after = saved(document);
    ASSERT_FALSE(after.empty());
    dir.write("after.bin", after);
    EXPECT_EQ(shownRows(reopen(kNamed, "after.bin")), shownRows(document));
    EXPECT_EQ(after[3], 30) << "one item in, one out";
}

// The first item, and the items on either side of a fold, going and coming next to folded items.
TEST_F(FoldTest, ItemsGoAndComeAtTheEdgesOfFolds) {
    Bytes bytes = namedRecords(12);
    struct Case {
        const char* name;
        int64_t shown;  // a folded row bound first, or -1
        int at;         // the instance changed, counted from the first
        bool insert;
        int64_t grown;  // bytes; a new item takes four, record i 4 + i % 10
    };
    const Case cases[] = {
        {"the first item deleted", -1, 1, false, -4},
        {"an item inserted first", -1, 1, true, 4},
        {"an item inserted at the end", -1, -1, true, 4},
        {"the last item deleted", 40, -1, false, -5},
        {"the item after the first deleted", 0, 5, false, -5},
    };
    for (const Case& c : cases) {
        Document* document = folded(kNamed, bytes);
        if (c.shown >= 0) {
            ASSERT_NE(unfoldRow(firstFold(document), c.shown), nullptr) << c.name;
        }
        FieldInstance* target = c.at >= 0 ? nth(document, c.at) : document->last;
        if (!c.insert && c.at < 0) target = target->previous->previous->previous->previous;  // the last header
        ASSERT_TRUE(c.insert ? insertItem(document, target) : deleteItem(document, target)) << c.name;
        EXPECT_TRUE(linksAreSound(document)) << c.name;
        Bytes after = saved(document);
        ASSERT_EQ(static_cast<int64_t>(after.size()), static_cast<int64_t>(bytes.size()) + c.grown) << c.name;
        dir.write("after.bin", after);
        EXPECT_EQ(shownRows(reopen(kNamed, "after.bin")), shownRows(document)) << c.name;
        undoChange(document);
        EXPECT_EQ(saved(document), bytes) << c.name << " undone";
    }
}

// A key's edit reads every row back, folded ones too: the rows after the key section stay as they
// are when the case keeps its bytes, and are laid out anew when they do not.
TEST_F(FoldTest, KeyEditsReadFoldedRowsBack) {
    const char* rows = "KEYB KUBT:Kind CASE:1,2 UBYT CASE:3 UWRD KEYE BCNT:N LSTC:Item UWRD LSTE";
    const Bytes bytes{1, 9, 5, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5};
    for (const auto& [answer, layouts] : {std::pair{"2", 0}, std::pair{"3", 1}}) {
        Document* document = folded(rows, bytes);
        ASSERT_EQ(foldCount(document), 1);
        queryscript::answer(answer);
        EXPECT_TRUE(editInstance(document, nth(document, 0))) << answer;
        EXPECT_EQ(document->layouts, layouts) << answer;
        Bytes expected = bytes;
        expected[0] = static_cast<unsigned char>(answer[0] - '0');
        EXPECT_EQ(saved(document), expected) << answer;
        dir.write("after.bin", expected);
        EXPECT_EQ(shownRows(reopen(rows, "after.bin")), shownRows(document)) << answer;
    }
}

// Items shown for a while fold again, but for those in sight, selected or current, and only while
// no change could bring an instance back.
TEST_F(FoldTest, ShownItemsFoldAgain) {
    Bytes bytes = namedRecords(3000);
    Document* document = folded(kNamed, bytes);
    Document* reference = whole(kNamed);
    const std::string expected = shownRows(reference);
    std::mt19937 random(11);
    std::vector<FieldInstance*> shown;
    for (int i = 0; i < 300; ++i) {
        FieldInstance* fold = document->first;
        while (!isFoldInstance(fold)) fold = fold->next;  // the first fold, then another
        for (int skip = i % 3; skip > 0 && fold->next; --skip) {
            FieldInstance* later = fold->next;
            while (later && !isFoldInstance(later)) later = later->next;
            if (later) fold = later;
        }
        shown.push_back(unfoldRow(fold, random() % foldRows(fold)));
        ASSERT_NE(shown.back(), nullptr);
    }
    FieldInstance* selected = shown[5];
    selected->flags |= kInstanceSelected;
    FieldInstance* keepFirst = shown[100];
    FieldInstance* keepLast = keepFirst->next->next;
    const int64_t instances = document->instanceCount;
    EXPECT_GT(refoldShownItems(document, keepFirst, keepLast), instances / 2);
    EXPECT_EQ(shownRows(document), expected);
    EXPECT_TRUE(linksAreSound(document));
    EXPECT_LE(document->instanceCount, 7 + 3 * 8) << "the first item, the items kept, and a fold between";

    for (FieldInstance* kept : {selected, keepFirst, keepLast}) {
        bool linked = false;
        for (FieldInstance* at = document->first; at && !linked; at = at->next) linked = at == kept;
        EXPECT_TRUE(linked);
    }
    EXPECT_EQ(saved(document), bytes);
    EXPECT_EQ(windowMismatch(document, bytes), -1);
    // A change may hold any instance: nothing folds again until it is gone.
    ASSERT_NE(unfoldRow(document->last->previous, 0), nullptr);
    queryscript::answer("5");
    ASSERT_TRUE(editInstance(document, keepFirst->field->code[0] == 'L' ? keepFirst->next : keepFirst));
    EXPECT_EQ(refoldShownItems(document, nullptr, nullptr), 0);
}

// Bytes pasted over folded items bind them first, then go through their rows as anywhere else.
TEST_F(FoldTest, PastedBytesReachFoldedRows) {
    Bytes bytes = fixedRecords(3000);
    Document* document = folded(kFixed, bytes);
    const Bytes pasted(30, 0x11);
    ASSERT_TRUE(pasteBytes(document, 1000, pasted.data(), 30)) << document->refusal;
    Bytes expected = bytes;
    std::copy(pasted.begin(), pasted.end(), expected.begin() + 1000);
    EXPECT_EQ(saved(document), expected);
    EXPECT_EQ(windowMismatch(document, expected), -1);
    // A name's length byte that would take the next bytes in is refused, and nothing changes.
    Bytes named = namedRecords(3000);
    document = folded(kNamed, named);
    const unsigned char longer[] = {9};
    EXPECT_FALSE(pasteBytes(document, 4 + 4 + 2, longer, 1));
    EXPECT_EQ(shownRows(document), shownRows(whole(kNamed)));
}

// A fold that undo brings back after a save replaced its file reads its items from the bytes it held.
TEST_F(FoldTest, FoldsUndoBringsBackAfterASaveReadWhatTheyHeld) {
    const char* rows = "KEYB KUBT:Kind CASE:1,2 UBYT CASE:3 UWRD KEYE BCNT:N LSTC:Item UWRD LSTE";
    const Bytes bytes{1, 9, 5, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5};
    Document* document = folded(rows, bytes);
    const std::string before = shownRows(document);
    queryscript::answer("3");
    ASSERT_TRUE(editInstance(document, nth(document, 0)));  // the rows after the key are laid out anew
    FieldInstance* header = document->first;
    while (header && std::string(header->field->code, 4) != "LSTC") header = header->next;
    ASSERT_TRUE(header && insertItem(document, header));  // bytes move in the file saved next
    ASSERT_GE(saveDocument(document, document->path), 0);
    ASSERT_TRUE(undoChange(document) && undoChange(document));
    EXPECT_EQ(shownRows(document), before);
    ASSERT_EQ(foldCount(document), 1);
    for (int64_t row : {10, 6, 13, 8}) ASSERT_NE(showRow(document, row), nullptr) << row;  // middle, first, last
    EXPECT_EQ(foldCount(document), 0);
    EXPECT_EQ(shownRows(document), before);
    EXPECT_EQ(saved(document), bytes);
}

// Naming which files a template is for computes nothing while binding: an edit reads nothing back,
// which for a long list would bind every item at once (past the documents' limit here).
TEST_F(FoldTest, EditsUnderTemplatesThatOnlyNameTheirFilesReadNothingBack) {
    limit = 100;
    const std::string rows = std::string("LEAD:Kind=le(0,4)>0 ") + kNamed;
    Document* document = folded(rows.c_str(), namedRecords(3000));
    FieldInstance* name = showRow(document, 1 + 4 * 2000 + 2);
    ASSERT_TRUE(name && name->field->code[0] == 'P');
    queryscript::answer("renamed");
    EXPECT_TRUE(editInstance(document, name)) << document->refusal;
}

// A fold inside an item goes out with the item and comes back with it.
TEST_F(FoldTest, FoldsInsideItemsGoAndComeWithThem) {
    const char* rows = "BCNT:Groups LSTC:Group BCNT:N LSTC:Part UBYT LSTE LSTE UBYT:After";
    const Bytes bytes{2, 5, 1, 2, 3, 4, 5, 4, 6, 7, 8, 9, 0x77};
    Document* document = folded(rows, bytes);
    const std::string before = shownRows(document);
    ASSERT_EQ(foldCount(document), 2);
    FieldInstance* second = showRow(document, 3 + 5 * 2 + 1);  // the second group's header
    ASSERT_TRUE(second && deleteItem(document, second)) << document->refusal;
    EXPECT_EQ(foldCount(document), 1);
    EXPECT_EQ(saved(document), bytesOf("01 05 01 02 03 04 05 77"));
    ASSERT_TRUE(undoChange(document));
    EXPECT_EQ(foldCount(document), 2);
    EXPECT_EQ(documentRows(document), documentRows(whole(rows)));
    ASSERT_NE(showRow(document, documentRows(document) - 3), nullptr);
    EXPECT_EQ(shownRows(document), before);
    EXPECT_EQ(saved(document), bytes);
}

}  // namespace
