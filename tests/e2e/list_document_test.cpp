// A list document as a user meets it: opened from the command line with its template or through
// the selection dialog, which preselects what the file's extension or the last choice for it names;
// an item deleted by the Delete key and by the Edit menu, undone and redone by Ctrl+Z and Ctrl+Y
// across a save; Ctrl+G to a byte offset, the status bar telling where the current row lies.
#include "sondrix_fixture.h"

namespace e2e {
namespace {

const std::vector<TemplateRow> kList = {
    {"BCNT", "Count"}, {"LSTC", "Item"}, {"UWRD", "Value"}, {"LSTE", "End"}};

TEST_F(SondrixTest, FromTheCommandLineListItemsDeletedComeBackByUndoAndGoAgainByRedo) {
    work.write("TMPL\\list.tmpl", templateFile(kList));
    const std::string name = "two items.lst";
    work.write(name, testsupport::Bytes{2, 0, 1, 0, 2});
    startProgram("\"two items.lst\" LIST");  // without a question
    HWND view = waitForView("TfrmDocument", name);
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
    waitForText(view, name + " [*]");
    pressCommandForText('Z', view, name);
    pressCommandForText('Y', view, name + " [*]");
    pressCommandForText('S', view, name);
    EXPECT_EQ(waitForBytes(name, {1, 0, 1}), testsupport::Bytes({1, 0, 1}));

    // Undone past the save the document differs from its file again.
    pressCommandForText('Z', view, name + " [*]");
    pressCommandForText('Y', view, name);
    pressKey(VK_HOME);
    pressKey(VK_DOWN);
    chooseMenuItem('E', 'D');
    waitForText(view, name + " [*]");
    pressCommandForText('S', view, name);
    EXPECT_EQ(waitForBytes(name, {0}), testsupport::Bytes({0}));
}

// A known file opens by Enter, Enter.
TEST_F(SondrixTest, TheDialogPreselectsByExtensionThenByTheLastChoiceForIt) {
    work.write("TMPL\\list.tmpl", templateFile(kList));
    const testsupport::Bytes list{1, 0, 7};
    for (const char* name : {"first.dat", "second.dat", "third.list"}) work.write(name, list);
    startProgram("first.dat");
    chooseTemplate("list.tmpl");  // nothing preselected it: the first template was
    waitForView("TfrmDocument", "first.dat");
    EXPECT_EQ(work.text("Sondrix.ini"), "dat=list.tmpl\n");

    for (const char* name : {"second.dat", "third.list"}) {
        pressDialogCommand('O');
        chooseFile(name);
        HWND dialog = waitForDialog("Select a template:");
        pressKey(VK_RETURN);
        waitUntilClosed(dialog);
        waitForView("TfrmDocument", name);
        waitForStatus("Offset $0 (0), size 1");  // as a list
    }
}

}  // namespace
}  // namespace e2e
