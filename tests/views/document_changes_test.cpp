// Editing values through the value entry dialog, inserting and deleting list items from the
// keyboard and the Edit menu, and Undo and Redo.
#include <utility>

#include "resource_ids.h"
#include "view_fixture.h"

namespace guitest {
namespace {

class ChangesTest : public ViewTest {
  protected:
    // The rows, the selection, the tab's text, and "!" when the view's height or scroll range does
    // not fit the rows.
    std::string state() const {
        const bool fits = view->ContentHeight() == view->document->instanceCount * h &&
                          scrollInfo(SB_VERT).nMax + 1 == view->ContentHeight();
        return rows() + " (" + selection() + ") " + tabText(frame->count - 1) + (fits ? "" : " !");
    }
    // Undo, Redo, Delete item and Go to offset on the Edit menu as "urdg", upper case when enabled.
    std::string editMenu() const {
        HMENU edit = GetSubMenu(GetMenu(mainWindow), 1);
        SendMessageA(mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
        std::string text;
        for (auto [id, letter] :
             {std::pair{cmdUndo, 'u'}, {cmdRedo, 'r'}, {cmdDeleteItem, 'd'}, {cmdGoToOffset, 'g'}})
            text +=
                GetMenuState(edit, id, MF_BYCOMMAND) & MF_GRAYED ? letter : static_cast<char>(letter - 32);
        return text;
    }
};

const char* const kList = "BCNT:N LSTC:Item DWRD:V LSTE:End";
const Bytes kTwoItems{2, 0, 1, 0, 2};

TEST_F(ChangesTest, EnterAndDoubleClickEditTheValueOfADataRowAndMarkTheCaption) {
    open("DWRD:Width DWRD:Height", {0, 42, 0, 7}, "shape.bin");
    press(VK_DOWN);
    auto enter = [this] { press(VK_RETURN); };
    EXPECT_EQ(answerValue(enter, "-5", false), "7");
    EXPECT_EQ(rows(), "DWRD 42;DWRD 7");
    EXPECT_EQ(tabText(0), "shape.bin");
    EXPECT_EQ(answerValue(enter, "-5", true), "7");
    EXPECT_EQ(rows(), "DWRD 42;DWRD -5");
    EXPECT_EQ(tabText(0), "shape.bin [*]");

    // A double click selects only its row, and edits it.
    press(VK_UP, true);
    EXPECT_EQ(answerValue([this] { doubleClick(h); }, "9", true), "-5");
    EXPECT_EQ(selection(), "1*");
    EXPECT_EQ(rows(), "DWRD 42;DWRD 9");

    // Text of any length, or none, is taken whole.
    open("WSTR", {0, 0});
    const std::string longText(1000, '7');
    EXPECT_EQ(answerValue(enter, longText.c_str(), true), "");
    EXPECT_EQ(answerValue(enter, "", true), longText);
    EXPECT_EQ(rows(), "WSTR");

    // A count is not edited.
    open(kList, kTwoItems);
    EXPECT_EQ(answerValue(enter, "3", true), "(no dialog)");
    EXPECT_EQ(answerValue([this] { doubleClick(0); }, "3", true), "(no dialog)");
    EXPECT_EQ(state(), "BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (0*) data.bin");
}

TEST_F(ChangesTest, EnterAndInsertOnListRowsAddAnItemAndDataRowsGetNone) {
    // The current row, the key, the state after it.
    const std::tuple<int, UINT, const char*> cases[] = {
        // At the first header the new item comes first; the header stays current.
        {1, VK_RETURN, "BCNT 3;LSTC #0;.DWRD 0;LSTC #1;.DWRD 1;LSTC #2;.DWRD 2;LSTE (1*) data.bin [*]"},
        // At the end the new item comes last; the end row moves down with the new rows.
        {5, VK_INSERT, "BCNT 3;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTC #2;.DWRD 0;LSTE (7*) data.bin [*]"},
        {2, VK_INSERT, "BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (2*) data.bin"},
    };
    for (const auto& [at, key, after] : cases) {
        open(kList, kTwoItems);
        for (int i = 0; i < at; ++i) press(VK_DOWN);
        press(key);
        EXPECT_EQ(state(), after);
    }
    // Undoing an insertion below the current row keeps it current: the end row, moved up again.
    open(kList, kTwoItems);
    press({VK_END, VK_INSERT});
    SendMessageA(view->hwnd, WM_COMMAND, cmdUndo, 0);
    EXPECT_EQ(state(), "BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (5*) data.bin");
}

// Each action on the list, from the third row: the Edit menu, then the state.
TEST_F(ChangesTest, DeleteTakesTheItemOfAHeaderAndUndoRedoFollowTheCaption) {
    EXPECT_EQ(editMenu(), "urdg");  // no tab
    open(kList, kTwoItems, "list.bin");
    press({VK_DOWN, VK_DOWN});
    // A key, else a command.
    const std::tuple<UINT, int, const char*> steps[] = {
        {VK_DELETE, 0, "urdG BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (2*) list.bin"},  // a data row
        {VK_UP, 0, "urDG BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (1*) list.bin"},
        {VK_DELETE, 0, "UrDG BCNT 1;LSTC #0;.DWRD 2;LSTE (1*) list.bin [*]"},
        {0, cmdUndo, "uRDG BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (1*) list.bin"},
        {0, cmdRedo, "UrDG BCNT 1;LSTC #0;.DWRD 2;LSTE (1*) list.bin [*]"},
        {0, cmdDeleteItem, "UrdG BCNT 0;LSTC #0;LSTE (1*) list.bin [*]"},  // the list is empty
        {0, cmdUndo, "URDG BCNT 1;LSTC #0;.DWRD 2;LSTE (1*) list.bin [*]"},
        {0, cmdUndo, "uRDG BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (1*) list.bin"},
        {0, cmdUndo, "uRDG BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (1*) list.bin"},  // nothing left
    };
    for (const auto& [key, command, after] : steps) {
        key ? press(key) : static_cast<void>(SendMessageA(view->hwnd, WM_COMMAND, command, 0));
        EXPECT_EQ(editMenu() + " " + state(), after) << "key " << key << ", command " << command;
    }
}

}  // namespace
}  // namespace guitest
