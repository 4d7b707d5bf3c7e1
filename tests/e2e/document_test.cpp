// Documents as a user meets them: a file opened with its template, edited, saved as a copy and in
// place; a new document that has no file yet; templates the program cannot use. A list document
// opened from the command line with its template or through the selection dialog, which preselects
// what the file's extension or the last choice for it names; an item deleted by the Delete key and
// by the Edit menu, undone and redone by Ctrl+Z and Ctrl+Y across a save, the status bar telling
// where the current row lies. The byte pane: a click on a byte makes the row holding it current and
// highlights its bytes, the arrow keys move the cursor and the row with it, Tab goes back to the
// rows, and View > Bytes beside the rows moves the pane, as remembered in Sondrix.ini.
#include "sondrix_fixture.h"
#include "support/pixel_bitmap.h"

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
    chooseTemplate("list.tmpl");  // nothing preselected it: the first template was
    waitForView("TfrmDocument", "first.dat");
    EXPECT_EQ(work.text("Sondrix.ini"), "dat=list.tmpl\n");

    for (const char* name : {"second.dat", "third.list"}) {
        openFile(name);
        waitForView("TfrmDocument", name);
        waitForStatus("Offset $0 (0), size 1");  // as a list
    }
}

// The cells before the first hex pair: a margin, eight offset digits and two spaces.
constexpr int kCellsBeforeHex = 11;

// The box around the highlighted pixels the window shows on the screen; empty when there are none.
RECT highlightIn(HWND window) {
    auto fromScreen = [window](HDC dc) {
        RECT client;
        GetClientRect(window, &client);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        HDC screen = GetDC(nullptr);
        BitBlt(dc, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
        ReleaseDC(nullptr, screen);
    };
    return testsupport::Snapshot(window, fromScreen).boxOf(testsupport::colourOf(COLOR_HIGHLIGHT));
}

// The left button pressed and released at a point of the window, through the input queue.
void clickAt(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

TEST_F(SondrixTest, BytePaneClicksAndKeysMoveTheCursorAndTheCurrentRowTogether) {
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
    EXPECT_EQ(place(), "below") << "as the settings file says";

    // The first row's byte is highlighted: where it starts gives the width of a cell.
    RECT first{};
    require([&] { return (first = highlightIn(pane)).right > 0; }, "a highlight");
    const int cell = first.left / kCellsBeforeHex;
    // Each move, then the status and the byte where the highlight starts on the first line (or a
    // pixel further, where the cursor's frame covers the first).
    const struct {
        std::vector<WORD> keys;  // none: a click on the third byte
        const char* status;
        int byte;
    } steps[] = {{{}, "Offset $1 (1), size 2", 1},
                 {{VK_RIGHT, VK_RIGHT}, "Offset $4 (4), size 3", 4},
                 {{VK_TAB, VK_UP}, "Offset $3 (3), size 1", 3}};
    for (const auto& step : steps) {
        if (step.keys.empty())
            clickAt(pane, {cell * (kCellsBeforeHex + 3 * 2) + cell, (first.bottom - first.top) / 2});
        for (WORD key : step.keys) pressKey(key);
        waitForStatus(step.status);
        const LONG left = cell * (kCellsBeforeHex + 3 * step.byte);
        require([&] { return highlightIn(pane).left == left || highlightIn(pane).left == left + 1; },
                "the highlight at byte " + std::to_string(step.byte));
    }

    chooseMenuItem('V', 'B');
    require([&] { return place() == "beside"; }, "the pane beside the rows");
    EXPECT_EQ(work.text("Sondrix.ini"), "view:bytes=beside\n");
}

}  // namespace
}  // namespace e2e
