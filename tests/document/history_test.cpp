#include "document/history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/changes.h"
#include "document/document_harness.h"

namespace {

struct History : DocumentTest {};

const char* const kRows = "BSIZ BCNT LSTC PSTR LSTE SKPE UBYT";
const Bytes kBytes{4, 2, 1, 'a', 0, 7};

// An edit, an insertion and a deletion, each undone and redone in turn.
TEST_F(History, ChangesAreUndoneAndRedoneInOrder) {
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

TEST_F(History, SavingKeepsTheHistoryAndMovesTheSavedState) {
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

}  // namespace
