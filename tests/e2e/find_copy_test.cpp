// Find, Copy and Paste as a user meets them: Ctrl+F with text, a number and hexadecimal bytes, F3
// and Shift+F3 going round the document with a note on the status bar; Ctrl+C in the rows and in the
// byte pane, read back from the system's clipboard; Ctrl+V of bytes another program copied, undone,
// redone and saved, and refused past the end.
#include "sondrix_fixture.h"

namespace e2e {
namespace {

// Rows 137, 80, $4E47 (big-endian), 80 over the bytes 89 50 4E 47 50.
const std::vector<TemplateRow> kRows = {{"UBYT", "Magic"}, {"UBYT", "Mode"}, {"UWRD", "Width"}, {"UBYT", "Flag"}};

class FindTest : public SondrixTest {
  protected:
    HWND start() {
        work.write("TMPL\\rows.tmpl", templateFile(kRows));
        work.write("data.bin", testsupport::Bytes{0x89, 0x50, 0x4E, 0x47, 0x50});
        startProgram("data.bin ROWS");
        HWND view = waitForView("TfrmDocument");
        waitForStatus("Offset $0 (0), size 1");
        return view;
    }
    // Through the dialog: the text typed over the last one, the kind chosen by the arrow keys from the
    // one the dialog remembered (0 text, 1 number, 2 bytes).
    void find(const std::string& text, int kind) {
        pressCommand('F');
        HWND dialog = waitForDialog("Find");
        HWND edit = childrenOf(dialog, "Edit").front();
        typeText(text);
        require([&] { return textOf(edit) == text; }, "\"" + text + "\" in the find box");
        std::vector<HWND> buttons = childrenOf(dialog, "Button");
        auto checked = [&] {
            for (int i = 0; i < 3; ++i)
                if (SendMessageA(buttons.at(i), BM_GETCHECK, 0, 0) == BST_CHECKED) return i;
            return -1;
        };
        pressKey(VK_TAB);
        while (checked() != kind) {
            int was = checked();
            pressKey(was < kind ? VK_DOWN : VK_UP);
            require([&] { return checked() != was; }, "another kind of search");
        }
        pressToClose(dialog, VK_RETURN);
    }
    // Once the clipboard holds text.
    void copy() {
        pressChordFor(VK_CONTROL, 'C', "Ctrl+C", [] { return !clipboardText().empty(); });
    }
    void waitForNote(const std::string& text) {
        std::string shown;
        if (!waitFor([&] { return (shown = statusPart(3)).rfind(text, 0) == 0; }))
            failStep("timed out waiting for the note \"" + text + "\"; the status bar says \"" + shown + "\"");
    }
};

TEST_F(FindTest, TextANumberAndBytesAreFoundAndF3GoesRoundBothWays) {
    start();
    find("WIDTH", 0);
    waitForStatus("Offset $2 (2), size 2");
    find("80", 1);
    waitForStatus("Offset $4 (4), size 1");  // the first 80 after Width
    pressKey(VK_F3);
    waitForStatus("Offset $1 (1), size 1");
    waitForNote("Search wrapped to the top.");
    pressChordFor(VK_SHIFT, VK_F3, "Shift+F3", [&] { return statusPart(0) == "Offset $4 (4), size 1"; });
    waitForNote("Search wrapped to the bottom.");
    find("4e 47", 2);
    waitForStatus("Offset $2 (2), size 2");  // from the cursor round to the start
    waitForNote("Search wrapped to the top.");
    // The bytes found are the byte pane's selection.
    putClipboardText();
    pressKey(VK_TAB);
    copy();
    EXPECT_EQ(clipboardText(), "4e 47");
    find("7f", 2);
    waitForNote("Not found: 7f");
}

TEST_F(FindTest, CopyPutsTheRowsAsTheDumpPrintsThemAndTheSelectedBytesInHex) {
    start();
    putClipboardText();
    pressChordFor(VK_SHIFT, VK_DOWN, "Shift+Down", [&] { return statusPart(0) == "Offset $1 (1), size 1"; });
    copy();
    EXPECT_EQ(clipboardText(),
              "    1  00000000       1  Magic  137\r\n"
              "    2  00000001       1  Mode  80\r\n");

    // In the pane, from the cursor on Mode's byte back to the first.
    putClipboardText();
    pressKey(VK_TAB);
    pressChordFor(VK_SHIFT, VK_LEFT, "Shift+Left", [&] { return statusPart(0) == "Offset $0 (0), size 1"; });
    copy();
    EXPECT_EQ(clipboardText(), "89 50");
}

TEST_F(FindTest, BytesPastedInTheBytePaneAreEditsOfTheirRowsUndoneAsOne) {
    HWND view = start();
    pressKey(VK_TAB);
    pressKey(VK_RIGHT);
    waitForStatus("Offset $1 (1), size 1");
    putClipboardText("AA BB");  // over Mode and half of Width
    pressCommand('V', view, "data.bin [*]");
    pressCommand('Z', view, "data.bin");
    pressCommand('Y', view, "data.bin [*]");
    pressCommand('S', view, "data.bin");
    expectFile("data.bin", {0x89, 0xAA, 0xBB, 0x47, 0x50});

    pressKey(VK_END);
    waitForStatus("Offset $4 (4), size 1");
    putClipboardText("01 02");
    pressCommand('V');
    closeDialogShowing("Sondrix", "No row holds the byte at offset 5: nothing is pasted past it.");
    expectFile("data.bin", {0x89, 0xAA, 0xBB, 0x47, 0x50});
}

}  // namespace
}  // namespace e2e
