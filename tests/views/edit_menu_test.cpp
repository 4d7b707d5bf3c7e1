// The Edit menu greys what the document view would not do now.
#include <utility>

#include "document_view_fixture.h"
#include "resource_ids.h"

namespace guitest {
namespace {

using EditMenu = DocumentViewTest;

// "u r d g" for Undo, Redo, Delete item and Go to offset, each in upper case when enabled.
std::string editItems(HWND mainWindow) {
    HMENU edit = GetSubMenu(GetMenu(mainWindow), 1);
    SendMessageA(mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    std::string items;
    for (auto [id, letter] :
         {std::pair{cmdUndo, 'u'}, {cmdRedo, 'r'}, {cmdDeleteItem, 'd'}, {cmdGoToOffset, 'g'}}) {
        bool grey = GetMenuState(edit, id, MF_BYCOMMAND) & MF_GRAYED;
        items += grey ? letter : static_cast<char>(letter - 'a' + 'A');
    }
    return items;
}

TEST_F(EditMenu, FollowsTheHistoryAndTheCurrentRow) {
    EXPECT_EQ(editItems(mainWindow), "urdg");  // no tab
    open("BCNT:N LSTC:Item DWRD:V LSTE:End", {1, 0, 7});
    EXPECT_EQ(editItems(mainWindow), "urdG");
    press(VK_DOWN);
    EXPECT_EQ(editItems(mainWindow), "urDG");
    press(VK_DELETE);
    EXPECT_EQ(editItems(mainWindow), "UrdG");  // the current row is now the end of the list
    SendMessageA(mainWindow, WM_COMMAND, cmdUndo, 0);
    EXPECT_EQ(editItems(mainWindow), "uRDG");
    EXPECT_EQ(rows(), "BCNT 1;LSTC #0;.DWRD 7;LSTE");
}

}  // namespace
}  // namespace guitest
