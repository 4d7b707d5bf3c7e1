// A session with the library: a document edited, a template's rows deleted and inserted in the
// editor and saved to its file, a new document laid out with it and closed by Ctrl+F4. Then both ways
// out of the program ask about the changed document, stay on Cancel, and end the message loop with
// exit code 0 after Yes (the file saved) or No (the file as it was), after a teardown that leaves no
// tracked block behind; and every run starts a fresh "debug.log". A file opened from another folder
// moves neither the library nor the log.
#include <algorithm>
#include <string>

#include "sondrix_fixture.h"
#include "views/template/template_field_dialog_ids.h"

namespace e2e {
namespace {

constexpr char kCleanReport[] = "Memory leaks: 0 (0 bytes)\nEnd of Memory leaks list\n";
constexpr char kOldLogLine[] = "a line of the previous run";

// By Alt+X and Yes, or else by closing the main window and No.
class ShutdownTest : public SondrixTest, public testing::WithParamInterface<bool> {};

TEST_P(ShutdownTest, EndsWithExitCodeZeroAndACleanLeakReport) {
    const TemplateRow second = {"ulng", "Second"}, inserted = {"PSTR", "Added by hand"};
    work.write("debug.log", std::string(kOldLogLine) + "\n");
    work.write("TMPL\\small.tmpl", templateFile({{"uwrd", "First"}, second}));
    work.makeDir("elsewhere\\TMPL");
    work.write("elsewhere\\data.bin", testsupport::Bytes{1, 0, 0, 0, 0, 0});
    startProgram();
    openFile("elsewhere\\data.bin", "small.tmpl");
    HWND document = waitForView("TfrmDocument", "data.bin");
    editValue(0, "1", "54");
    waitForText(document, "data.bin [*]");

    // Through Ctrl+L and the list's Edit button.
    pressCommand('L');
    HWND list = waitForDialog("Templates:");
    typeText("s");  // small.tmpl
    pressChordFor(VK_MENU, 'E', "the Edit button to close the list", [&] { return !IsWindowVisible(list); });
    HWND editor = waitForView("TfrmTemplate", "small.tmpl");
    pressKey(VK_HOME);
    pressKey(VK_DELETE);
    waitForText(editor, "small.tmpl [*]");
    pressCommand('S', editor, "small.tmpl");
    expectFile("TMPL\\small.tmpl", templateFile({second}));

    // The field dialog answered with a code and a caption, typed box after box.
    pressKey(VK_INSERT);
    HWND dialog = waitForDialog("Edit field:");
    typeText(inserted.code);
    waitForText(GetDlgItem(dialog, IDC_FIELD_CODE), inserted.code);
    pressKey(VK_TAB);  // past the button beside the code box
    pressKey(VK_TAB);
    typeText(inserted.caption);
    waitForText(GetDlgItem(dialog, IDC_FIELD_CAPTION), inserted.caption);
    pressToClose(dialog, VK_RETURN);
    waitForText(editor, "small.tmpl [*]");
    pressCommand('S', editor, "small.tmpl");
    expectFile("TMPL\\small.tmpl", templateFile({inserted, second}));

    // A new document from the library starts with the inserted row: a string, asked for by its caption.
    pressCommand('N');
    chooseTemplate("small.tmpl");
    waitForView("TfrmDocument", "Untitled");
    pressKey(VK_HOME);
    pressKey(VK_RETURN);
    closeDialogShowing("Enter value:", inserted.caption, VK_ESCAPE);
    // Unchanged, so without a question.
    waitForMainWindow();
    pressChordFor(VK_CONTROL, VK_F4, "the new document's tab to close",
                  [&] { return childrenOf(mainWindow, "TfrmDocument").size() == 1; });

    // The question disables the main window, which it belongs to.
    auto leave = [&] {
        waitForMainWindow();
        if (GetParam())
            pressChordFor(VK_MENU, 'X', "a question after Alt+X",
                          [&] { return !IsWindowEnabled(mainWindow); });
        else
            PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    };
    const std::string question = "Save changes to data.bin?";
    leave();
    closeDialogShowing("Sondrix", question, VK_ESCAPE);
    waitForMainWindow();
    EXPECT_FALSE(hasEnded());
    leave();
    closeDialogShowing("Sondrix", question, GetParam() ? 'Y' : 'N');
    require([&] { return hasEnded(); }, "the program to end");
    EXPECT_EQ(work.read("elsewhere\\data.bin"),
              (GetParam() ? testsupport::Bytes{54, 0, 0, 0, 0, 0} : testsupport::Bytes{1, 0, 0, 0, 0, 0}));
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    // Whichever line ends the runtime wrote.
    std::string log = work.text("debug.log");
    log.erase(std::remove(log.begin(), log.end(), '\r'), log.end());
    EXPECT_EQ(log.find(kOldLogLine), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - std::min(log.size(), sizeof kCleanReport - 1)), kCleanReport) << log;
}

INSTANTIATE_TEST_SUITE_P(WaysOut, ShutdownTest, testing::Bool(), [](const testing::TestParamInfo<bool>& way) {
    return way.param ? "AltX" : "CloseWindow";
});

}  // namespace
}  // namespace e2e
