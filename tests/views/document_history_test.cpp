// Deleting list items with the Delete key and the Edit menu, and Undo and Redo from the menu.
#include "document_view_fixture.h"
#include "resource_ids.h"

namespace guitest {
namespace {

using DocumentHistory = DocumentViewTest;

const char* const kList = "BCNT:N LSTC:Item DWRD:V LSTE:End";
const char* const kShown = "BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE";

TEST_F(DocumentHistory, DeleteTakesTheItemOfAHeaderAndUndoRedoFollowTheCaption) {
    open(kList, {2, 0, 1, 0, 2}, "list.bin");
    auto command = [this](int id) { SendMessageA(view->hwnd, WM_COMMAND, id, 0); };
    press(VK_DOWN);
    press(VK_DOWN);
    press(VK_DELETE);  // a data row
    EXPECT_EQ(rows(), kShown);

    press(VK_UP);
    press(VK_DELETE);
    EXPECT_EQ(rows(), "BCNT 1;LSTC #0;.DWRD 2;LSTE");
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(selectedRows(), "1");
    EXPECT_EQ(tabText(0), "list.bin [*]");
    EXPECT_EQ(view->ContentHeight(), 4 * rowHeight());
    EXPECT_EQ(scrollInfo(SB_VERT).nMax + 1, view->ContentHeight());

    command(cmdUndo);
    EXPECT_EQ(rows(), kShown);
    EXPECT_EQ(tabText(0), "list.bin");
    EXPECT_EQ(view->ContentHeight(), 6 * rowHeight());
    command(cmdRedo);
    EXPECT_EQ(rows(), "BCNT 1;LSTC #0;.DWRD 2;LSTE");
    EXPECT_EQ(tabText(0), "list.bin [*]");

    command(cmdDeleteItem);
    EXPECT_EQ(rows(), "BCNT 0;LSTC #0;LSTE");
    command(cmdUndo);
    command(cmdUndo);
    command(cmdUndo);  // nothing left to undo
    EXPECT_EQ(rows(), kShown);
    EXPECT_EQ(tabText(0), "list.bin");
}

TEST_F(DocumentHistory, UndoingAnInsertionBelowTheCurrentRowKeepsItCurrent) {
    open(kList, {2, 0, 1, 0, 2});
    press(VK_END);
    press(VK_INSERT);
    ASSERT_EQ(currentRow(), 7);
    SendMessageA(view->hwnd, WM_COMMAND, cmdUndo, 0);
    EXPECT_EQ(rows(), kShown);
    EXPECT_EQ(currentRow(), 5);  // the end row, moved up again
}

}  // namespace
}  // namespace guitest
