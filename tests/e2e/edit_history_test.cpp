// The Edit menu as a user meets it: a list item deleted by the Delete key and by the menu, undone
// and redone by Ctrl+Z and Ctrl+Y across a save, and Ctrl+G to a byte offset, the status bar telling
// where the current row lies.
#include "desktop.h"
#include "sondrix_fixture.h"

namespace e2e {
namespace {

class EditHistoryTest : public SondrixTest {
  protected:
    HWND openList() {
        work.write("TMPL\\list.tmpl",
                   templateFile({{"BCNT", "Count"}, {"LSTC", "Item"}, {"UWRD", "Value"}, {"LSTE", "End"}}));
        work.write("list.bin", testsupport::Bytes{2, 0, 1, 0, 2});
        startProgram();
        pressDialogCommand('O');
        chooseFile("list.bin");
        chooseTemplate("list.tmpl");
        HWND view = waitForView("TfrmDocument");
        statusBar = childrenOf(mainWindow, "msctls_statusbar32").at(0);
        return view;
    }
    // The status bar's first part: the current row's offset and size.
    void waitForStatus(const std::string& text) { waitForText(statusBar, text); }

    HWND statusBar = nullptr;
};

TEST_F(EditHistoryTest, DeletedItemsComeBackByUndoAndGoAgainByRedo) {
    HWND view = openList();
    waitForText(view, "list.bin");
    waitForStatus("Offset $0 (0), size 1");

    pressDialogCommand('G');
    waitForDialog("Go to offset");
    typeText("$3");
    pressKey(VK_RETURN);
    waitForMainWindow();
    waitForStatus("Offset $3 (3), size 2");

    pressKey(VK_UP);  // the second item's header
    waitForStatus("Offset $3 (3), size 0");
    pressKey(VK_DELETE);
    waitForText(view, "list.bin [*]");
    pressCommandForText('Z', view, "list.bin");
    pressCommandForText('Y', view, "list.bin [*]");
    pressCommandForText('S', view, "list.bin");
    EXPECT_EQ(waitForBytes("list.bin", {1, 0, 1}), testsupport::Bytes({1, 0, 1}));

    // Undone past the save the document differs from its file again.
    pressCommandForText('Z', view, "list.bin [*]");
    pressCommandForText('Y', view, "list.bin");
    pressKey(VK_HOME);
    pressKey(VK_DOWN);
    chooseMenuItem('E', 'D');
    waitForText(view, "list.bin [*]");
    pressCommandForText('S', view, "list.bin");
    EXPECT_EQ(waitForBytes("list.bin", {0}), testsupport::Bytes({0}));
}

}  // namespace
}  // namespace e2e
