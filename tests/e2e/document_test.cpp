// Documents as a user meets them: a file opened with its template, edited and saved; a new
// document that has no file yet; a template the program cannot use.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "desktop.h"
#include "sondrix_fixture.h"

namespace e2e {
namespace {

testsupport::Bytes bundledIcon() {
    std::ifstream in(SONDRIX_E2E_SAMPLE_ICON, std::ios::binary);
    return testsupport::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

constexpr size_t kIconDirectorySize = 6;
constexpr size_t kIconEntrySize = 16;
constexpr size_t kBitmapHeadersSize = 54;

class DocumentTest : public SondrixTest {
  protected:
    // Open with the file, then the template; the new document view.
    HWND openDocument(const std::string& file, const std::string& templateName) {
        pressDialogCommand('O');
        chooseFile(file);
        chooseTemplate(templateName);
        return waitForView("TfrmDocument");
    }
};

// A name outside any single-byte code page: the program's calls take UTF-8.
TEST_F(DocumentTest, OpenedSampleIsEditedAndSavedInPlace) {
    const std::string name = "Привет 日本.ico";
    const testsupport::Bytes icon = bundledIcon();
    ASSERT_GT(icon.size(), kIconDirectorySize + 2 * kIconEntrySize);
    work.write(name, icon);
    startProgram();

    HWND view = openDocument(name, "ico.tmpl");
    waitForText(view, name);
    pressKey(VK_HOME);
    pressKey(VK_RETURN);
    answerValue("0", "7");
    waitForText(view, name + " [*]");
    // Past the type, the count, the first image's header and eight rows, and the second image's header.
    for (int row = 0; row < 13; ++row) pressKey(VK_DOWN);
    pressKey(VK_RETURN);
    answerValue("32", "48");
    pressCommandForText('S', view, name);

    // The image data after the fields the template covers is kept.
    testsupport::Bytes expected = icon;
    expected[0] = 7;
    expected[kIconDirectorySize + kIconEntrySize] = 48;
    EXPECT_EQ(waitForBytes(name, expected), expected);
}

TEST_F(DocumentTest, SaveAsWritesACopyAndTheDocumentKeepsItsFile) {
    const testsupport::Bytes icon = bundledIcon();
    work.write("sample.ico", icon);
    startProgram();
    HWND view = openDocument("sample.ico", "ico.tmpl");
    pressKey(VK_HOME);
    pressKey(VK_DOWN);
    pressKey(VK_RETURN);
    answerValue("1", "2");

    chooseMenuItem('F', 'A');
    chooseFile("copy.ico");
    testsupport::Bytes expected = icon;
    expected[2] = 2;
    EXPECT_EQ(waitForBytes("copy.ico", expected), expected);
    EXPECT_EQ(work.read("sample.ico"), icon);
    EXPECT_EQ(textOf(view), "sample.ico [*]");

    // Save goes on writing the file the document was read from.
    pressCommandForText('S', view, "sample.ico");
    EXPECT_EQ(waitForBytes("sample.ico", expected), expected);
}

TEST_F(DocumentTest, NewDocumentGoesToTheSaveDialogEveryTime) {
    startProgram();
    pressDialogCommand('N');
    chooseTemplate("bmp.tmpl");
    HWND view = waitForView("TfrmDocument");
    waitForText(view, "Untitled");

    pressDialogCommand('S');
    chooseFile("new.bmp");
    const testsupport::Bytes zeros(kBitmapHeadersSize, 0);
    EXPECT_EQ(waitForBytes("new.bmp", zeros), zeros);

    // Without a path of its own the document is asked a name again; Escape leaves it unsaved.
    pressDialogCommand('S');
    HWND dialog = waitForFileDialog();
    pressKey(VK_ESCAPE);
    waitUntilClosed(dialog);
    waitForMainWindow();
    EXPECT_EQ(work.read("new.bmp"), zeros);
}

TEST_F(DocumentTest, InvalidTemplateIsNamedByRowCodeAndCaption) {
    work.write("TMPL\\faulty.tmpl",
               templateFile({{"uwrd", "Known"}, {"hlng", "Also known"}, {"XXXX", "Mystery field"}}));
    work.write("data.bin", testsupport::Bytes(16, 0xAB));
    startProgram();

    pressDialogCommand('O');
    chooseFile("data.bin");
    chooseTemplate("faulty.tmpl");
    HWND message = waitForDialog("Invalid template");
    const std::string expected =
        "Cannot open document, because the selected template is invalid. \n\nError on row 2, field XXXX: "
        "\"Mystery field\".";
    EXPECT_TRUE(showsText(message, expected));
    pressKey(VK_RETURN);
    waitUntilClosed(message);
    waitForMainWindow();
    EXPECT_TRUE(childrenOf(mainWindow, "TfrmDocument").empty());
}

TEST_F(DocumentTest, BindingThatStopsEarlySaysWhyAndShowsTheRowsBoundSoFar) {
    work.write("TMPL\\orphan.tmpl",
               templateFile({{"uwrd", "Before"}, {"LSTC", "List"}, {"ubyt", "Item"}, {"LSTE", "End"}}));
    work.write("data.bin", testsupport::Bytes{0x01, 0x02, 0x03});
    startProgram();

    pressDialogCommand('O');
    chooseFile("data.bin");
    chooseTemplate("orphan.tmpl");
    HWND message = waitForDialog("Sondrix");
    EXPECT_TRUE(showsText(message, "A list in the template has no count before it."));
    pressKey(VK_RETURN);
    waitUntilClosed(message);

    waitForView("TfrmDocument");
    pressKey(VK_HOME);
    pressKey(VK_RETURN);
    answerValue("513", "513");
}

}  // namespace
}  // namespace e2e
