// Documents as a user meets them: a file opened with its template, edited, saved as a copy and in
// place; a new document that has no file yet; templates the program cannot use.
#include <fstream>
#include <iterator>

#include "sondrix_fixture.h"

namespace e2e {
namespace {

constexpr size_t kIconDirectorySize = 6;
constexpr size_t kIconEntrySize = 16;

// A name outside any single-byte code page: the program's calls take UTF-8.
TEST_F(SondrixTest, OpenedSampleIsSavedAsACopyAndInPlaceAndANewDocumentAsksANameEveryTime) {
    const std::string name = "Привет 日本.ico";
    std::ifstream in(SONDRIX_E2E_SAMPLE_ICON, std::ios::binary);
    const testsupport::Bytes icon{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(icon.size(), kIconDirectorySize + 2 * kIconEntrySize);
    work.write(name, icon);
    startProgram();

    HWND view = openDocument(name, "ico.tmpl");
    pressKey(VK_HOME);
    pressKey(VK_RETURN);
    answerValue("0", "7");
    waitForText(view, name + " [*]");
    // Past the type, the count, the first image's header and eight rows, and the second image's header.
    for (int row = 0; row < 13; ++row) pressKey(VK_DOWN);
    pressKey(VK_RETURN);
    answerValue("32", "48");
    // The image data after the fields the template covers is saved unchanged.
    testsupport::Bytes expected = icon;
    expected[0] = 7;
    expected[kIconDirectorySize + kIconEntrySize] = 48;

    chooseMenuItem('F', 'A');
    chooseFile("copy.ico");
    EXPECT_EQ(waitForBytes("copy.ico", expected), expected);
    EXPECT_EQ(work.read(name), icon);
    EXPECT_EQ(textOf(view), name + " [*]");
    // Save goes on writing the file the document was read from.
    pressCommandForText('S', view, name);
    EXPECT_EQ(waitForBytes(name, expected), expected);

    // A new document has no file: Save asks a name every time; Escape leaves it unsaved.
    pressDialogCommand('N');
    chooseTemplate("bmp.tmpl");
    waitForView("TfrmDocument", "Untitled");
    pressDialogCommand('S');
    chooseFile("new.bmp");
    const testsupport::Bytes zeros(54, 0);  // the bitmap's headers
    EXPECT_EQ(waitForBytes("new.bmp", zeros), zeros);
    pressDialogCommand('S');
    HWND dialog = waitForFileDialog();
    pressKey(VK_ESCAPE);
    waitUntilClosed(dialog);
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

    pressDialogCommand('O');
    chooseFile("data.bin");
    chooseTemplate("faulty.tmpl");
    confirmMessage(
        "Invalid template",
        "Cannot open document, because the selected template is invalid. \n\nError on row 2, field XXXX: "
        "\"Mystery field\".");
    waitForMainWindow();
    EXPECT_TRUE(childrenOf(mainWindow, "TfrmDocument").empty());

    pressDialogCommand('O');
    chooseFile("orphan.bin");
    chooseTemplate("orphan.tmpl");
    confirmMessage("Sondrix", "A list in the template has no count before it.");
    waitForView("TfrmDocument");
    pressKey(VK_HOME);
    pressKey(VK_RETURN);
    answerValue("513", "513");
}

}  // namespace
}  // namespace e2e
