// Documents as a user meets them: opened by the dialogs or the command line, edited, saved as a copy
// and in place, items deleted and the deletion undone and redone across a save; a new document that
// has no file yet; templates the program cannot use; the byte pane by keys and by the View menu.
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
    // The first image's height, past the directory's head and the image's width.
    editValue(5, "16", "48");
    // Every other byte, the images at their offsets included, is saved unchanged.
    testsupport::Bytes expected = icon;
    expected.at(0) = 7;
    expected.at(6 + 1) = 48;

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
    closeDialogShowing("Sondrix", "Row 1 \"List\" at offset $2: A list in the template has no count before it.");
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
    for (int row = 0; row < 3; ++row) pressKey(VK_DOWN);  // to the second item's header
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
    chooseTemplate("list.tmpl", "first.dat");  // nothing preselected it: the first template was
    waitForView("TfrmDocument", "first.dat");
    EXPECT_EQ(work.text("Sondrix.ini"), "dat=list.tmpl\nrecent:1=" + work.path("first.dat") + "|list.tmpl\n");

    for (const char* name : {"second.dat", "third.list"}) {
        openFile(name);
        waitForView("TfrmDocument", name);
        waitForStatus("Offset $0 (0), size 1");  // as a list
    }
}

// Started from a folder without a library, as from a file association: the templates and the settings
// file are the ones beside the program.
TEST_F(SondrixTest, WithoutALibraryInTheWorkingDirectoryTheOneBesideTheProgramIsUsed) {
    work.makeDir("program");
    work.makeDir("documents");
    std::filesystem::copy(SONDRIX_E2E_PROGRAM, work.native("program\\Sondrix.exe"));
    std::filesystem::rename(work.native("TMPL"), work.native("program\\TMPL"));
    work.write("program\\TMPL\\list.tmpl", templateFile(kList));
    work.write("documents\\two.dat", testsupport::Bytes{2, 0, 1, 0, 2});
    startProgram("two.dat", work.path("program\\Sondrix.exe"), "documents");
    chooseTemplate("list.tmpl", "two.dat");
    waitForView("TfrmDocument", "two.dat");
    waitForStatus("Offset $0 (0), size 1");  // as a list
    EXPECT_EQ(work.text("program\\Sondrix.ini"),
              "dat=list.tmpl\nrecent:1=" + work.path("documents\\two.dat") + "|list.tmpl\n");
    EXPECT_FALSE(work.exists("documents\\Sondrix.ini"));
}

// The pane where the settings file puts it; Tab goes between rows and pane, and the keys of either
// move the current row; View > Bytes beside the rows moves the pane, which the settings file keeps.
TEST_F(SondrixTest, BytePaneTakesTheKeysAfterTabAndItsPlaceIsRemembered) {
    work.write("TMPL\\pair.tmpl", templateFile({{"UBYT", "Tag"}, {"UWRD", "Value"}, {"UBYT", "Flag"}}));
    work.write("data.bin", testsupport::Bytes{1, 2, 3, 4, 5, 6, 7});
    work.write("Sondrix.ini", std::string("view:bytes=below\n"));
    startProgram("data.bin PAIR");
    HWND rows = waitForView("TfrmDocument");
    HWND pane = childrenOf(mainWindow, "TBytePane").at(0);
    auto place = [&] {
        RECT paneAt, rowsAt;
        GetWindowRect(pane, &paneAt);
        GetWindowRect(rows, &rowsAt);
        return std::string(paneAt.top == rowsAt.bottom                               ? "below"
                           : paneAt.left == rowsAt.right && paneAt.top == rowsAt.top ? "beside"
                                                                                     : "elsewhere");
    };
    EXPECT_EQ(place(), "below");
    const std::pair<std::vector<WORD>, const char*> steps[] = {
        {{VK_TAB, VK_RIGHT}, "Offset $1 (1), size 2"},
        {{VK_RIGHT, VK_RIGHT}, "Offset $3 (3), size 1"},
        {{VK_TAB, VK_UP}, "Offset $1 (1), size 2"}};
    for (const auto& [keys, status] : steps) {
        for (WORD key : keys) pressKey(key);
        waitForStatus(status);
    }

    chooseMenuItem('V', 'B');
    require([&] { return place() == "beside"; }, "the pane beside the rows");
    EXPECT_EQ(work.text("Sondrix.ini"),
              "recent:1=" + work.path("data.bin") + "|pair.tmpl\nview:bytes=beside\n");
}

// Rows at an offset show where the file has them: the pane's keys go through the file in byte order,
// and the row holding each byte becomes current, wherever the template has it.
TEST_F(SondrixTest, TheBytePaneGoesThroughRowsAtOffsetsInFileOrder) {
    work.write("TMPL\\placed.tmpl", templateFile({{"UBYT", "Offset"}, {"ATOF", "Region = Offset"}, {"UBYT", "Inside"},
                                                  {"SKPE", ""}, {"UBYT", "After"}}));
    work.write("data.bin", testsupport::Bytes{3, 0xAA, 0xBB, 0xCC});
    startProgram("data.bin PLACED");
    waitForView("TfrmDocument");
    const std::pair<std::vector<WORD>, const char*> steps[] = {
        {{VK_DOWN, VK_DOWN}, "Offset $3 (3), size 1"},  // Inside, the region's row
        {{VK_DOWN}, "Offset $1 (1), size 1"},           // After, where reading went on
        {{VK_TAB, VK_RIGHT}, "Offset $2 (2), size 1"},  // the byte no row reads
        {{VK_RIGHT}, "Offset $3 (3), size 1"}};
    for (const auto& [keys, status] : steps) {
        for (WORD key : keys) pressKey(key);
        waitForStatus(status);
    }
}

}  // namespace
}  // namespace e2e
