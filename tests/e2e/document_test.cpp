// Documents as a user meets them: a file opened with its template, edited, saved as a copy and in
// place; a new document that has no file yet; templates the program cannot use. A list document
// opened from the command line with its template or through the selection dialog, which preselects
// what the file's extension or the last choice for it names; an item deleted by the Delete key and
// by the Edit menu, undone and redone by Ctrl+Z and Ctrl+Y across a save; Ctrl+G to a byte offset,
// the status bar telling where the current row lies.
#include "sondrix_fixture.h"

namespace e2e {
namespace {

const std::vector<TemplateRow> kList = {
    {"BCNT", "Count"}, {"LSTC", "Item"}, {"UWRD", "Value"}, {"LSTE", "End"}};

// A name outside any single-byte code page: the program's calls take UTF-8.
TEST_F(SondrixTest, OpenedSampleIsSavedAsACopyAndInPlaceAndANewDocumentAsksANameEveryTime) {
    const std::string name = "Привет 日本.ico";
    std::filesystem::copy(SONDRIX_E2E_SAMPLE_ICON, work.native(name));
    const testsupport::Bytes icon = work.read(name);
    startProgram();

    openFile(name, "ico.tmpl");
    HWND view = waitForView("TfrmDocument", name);
    editValue(0, "0", "7");
    waitForText(view, name + " [*]");
    // Past the type, the count, the first image's header and eight rows, and the second image's header.
    editValue(13, "32", "48");
    // The image data after the fields the template covers is saved unchanged.
    testsupport::Bytes expected = icon;
    expected.at(0) = 7;
    expected.at(6 + 16) = 48;  // the second image's width, after the directory and the first image's entry

    chooseMenuItem('F', 'A');
    chooseFile("copy.ico");
    expectFile("copy.ico", expected);
    EXPECT_EQ(work.read(name), icon);
    EXPECT_EQ(textOf(view), name + " [*]");
    // Save goes on writing the file the document was read from.
    pressCommand('S', view, name);
    expectFile(name, expected);

    // A new document has no file: Save asks a name every time; Escape leaves it unsaved.
    pressCommand('N');
    chooseTemplate("bmp.tmpl");
    waitForView("TfrmDocument", "Untitled");
    pressCommand('S');
    chooseFile("new.bmp");
    const testsupport::Bytes zeros(54, 0);  // the bitmap's headers
    expectFile("new.bmp", zeros);
    pressCommand('S');
    pressToClose(waitForFileDialog(), VK_ESCAPE);
    waitForMainWindow();
    EXPECT_EQ(work.read("new.bmp"), zeros);
}

// An invalid template is named by row, code and caption, and opens nothing; a binding that stops
// early says why and shows the rows bound so far.
TEST_F(SondrixTest, TemplatesThatFailSayWhy) {
    work.write("TMPL\\faulty.tmpl",
               templateFile({{"uwrd", "Known"}, {"hlng", "Also known"}, {"XXXX", "Mystery field"}}));
    work.write("TMPL\\orphan.tmpl",
               templateFile({{"uwrd", "Before"}, {"LSTC", "List"}, {"ubyt", "Item"}, {"LSTE", "End"}}));
    work.write("data.bin", testsupport::Bytes(16, 0xAB));
    work.write("orphan.bin", testsupport::Bytes{0x01, 0x02, 0x03});
    startProgram();

    openFile("data.bin", "faulty.tmpl");
    closeDialogShowing(
        "Invalid template",
        "Cannot open document, because the selected template is invalid. \n\nError on row 2, field XXXX: "
        "\"Mystery field\".");
    waitForMainWindow();
    EXPECT_TRUE(childrenOf(mainWindow, "TfrmDocument").empty());

    openFile("orphan.bin", "orphan.tmpl");
    closeDialogShowing("Sondrix", "A list in the template has no count before it.");
    waitForView("TfrmDocument");
    editValue(0, "513", "513");
}

TEST_F(SondrixTest, FromTheCommandLineListItemsDeletedComeBackByUndoAndGoAgainByRedo) {
    work.write("TMPL\\list.tmpl", templateFile(kList));
    const std::string name = "two items.lst";
    work.write(name, testsupport::Bytes{2, 0, 1, 0, 2});
    startProgram("\"two items.lst\" LIST");  // without a question
    HWND view = waitForView("TfrmDocument", name);
    waitForStatus("Offset $0 (0), size 1");

    pressCommand('G');
    waitForDialog("Go to offset");
    typeText("$3");
    pressKey(VK_RETURN);
    waitForMainWindow();
    waitForStatus("Offset $3 (3), size 2");

    pressKey(VK_UP);  // the second item's header
    waitForStatus("Offset $3 (3), size 0");
    pressKey(VK_DELETE);
    waitForText(view, name + " [*]");
    pressCommand('Z', view, name);
    pressCommand('Y', view, name + " [*]");
    pressCommand('S', view, name);
    expectFile(name, {1, 0, 1});

    // Undone past the save the document differs from its file again.
    pressCommand('Z', view, name + " [*]");
    pressCommand('Y', view, name);
    pressKey(VK_HOME);
    pressKey(VK_DOWN);
    chooseMenuItem('E', 'D');
    waitForText(view, name + " [*]");
    pressCommand('S', view, name);
    expectFile(name, {0});
}

// A known file opens by Enter, Enter.
TEST_F(SondrixTest, TheDialogPreselectsByExtensionThenByTheLastChoiceForIt) {
    work.write("TMPL\\list.tmpl", templateFile(kList));
    for (const char* name : {"first.dat", "second.dat", "third.list"})
        work.write(name, testsupport::Bytes{1, 0, 7});
    startProgram("first.dat");
    chooseTemplate("list.tmpl");  // nothing preselected it: the first template was
    waitForView("TfrmDocument", "first.dat");
    EXPECT_EQ(work.text("Sondrix.ini"), "dat=list.tmpl\n");

    for (const char* name : {"second.dat", "third.list"}) {
        openFile(name);
        waitForView("TfrmDocument", name);
        waitForStatus("Offset $0 (0), size 1");  // as a list
    }
}

}  // namespace
}  // namespace e2e
