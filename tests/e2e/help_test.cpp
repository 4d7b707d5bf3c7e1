// Help > Contents (F1) and Index show the documents in a window of their own, whose links go to their
// headings; Tools > Preferences places the byte pane and sizes the fonts at once and keeps them.
#include "sondrix_fixture.h"

namespace e2e {
namespace {

class HelpTest : public SondrixTest {
  protected:
    // The program's help window when it is in front, else null.
    HWND helpInFront() const {
        HWND help = FindWindowA("THelpWindow", nullptr);
        DWORD owner = 0;
        GetWindowThreadProcessId(help, &owner);
        return help && owner == process.dwProcessId && IsWindowVisible(help) && GetForegroundWindow() == help
                   ? help
                   : nullptr;
    }
    HWND waitForHelp() {
        require([&] { return helpInFront() != nullptr; }, "the help window in front");
        return helpInFront();
    }
    // The program writes the settings one after the other.
    void expectSettings(const std::string& text) { expectFile("Sondrix.ini", {text.begin(), text.end()}); }
};

TEST_F(HelpTest, F1ShowsTheGuideALinkGoesToItsHeadingAndIndexShowsTheLanguage) {
    startProgram();
    // As a chord is (see pressChordFor), the key is pressed again should it have had no effect.
    for (int attempt = 0; attempt < 3; ++attempt) {
        pressKey(VK_F1);
        if (waitFor([&] { return helpInFront() != nullptr; }, 3000)) break;
    }
    HWND help = waitForHelp();
    waitForText(help, "Sondrix help: Sondrix user guide");
    // The second link of the contents.
    for (WORD key : {VK_TAB, VK_TAB, VK_RETURN}) pressKey(key);
    waitForText(help, "Sondrix help: Templates");
    pressKey(VK_HOME);
    waitForText(help, "Sondrix help: Sondrix user guide");

    SetForegroundWindow(mainWindow);
    chooseMenuItem('H', 'I');
    EXPECT_EQ(waitForHelp(), help);
    waitForText(help, "Sondrix help: The template language");
    pressToClose(help, VK_ESCAPE);
}

TEST_F(HelpTest, PreferencesSizeTheFontsAndPlaceThePaneAtOnceAndTheSettingsFileKeepsThem) {
    work.write("TMPL\\list.tmpl",
               templateFile({{"BCNT", "Count"}, {"LSTC", "Item"}, {"UWRD", "Value"}, {"LSTE", "End"}}));
    testsupport::Bytes data(1 + 2 * 200, 0);
    data[0] = 200;
    work.write("data.bin", data);
    startProgram("data.bin LIST");
    HWND rows = waitForView("TfrmDocument");
    HWND pane = childrenOf(mainWindow, "TBytePane").at(0);
    auto width = [](HWND window) {
        RECT at;
        GetWindowRect(window, &at);
        return at.right - at.left;
    };
    // Page Down from the first row: the taller the rows, the fewer a page holds.
    auto offsetAPageDown = [&] {
        pressKey(VK_HOME);
        waitForStatus("Offset $0 (0), size 1");
        pressKey(VK_NEXT);
        HWND status = childrenOf(mainWindow, "msctls_statusbar32").at(0);
        std::string shown;
        require([&] { return (shown = textOf(status)).find("Offset $0 ") != 0; }, "the status after Page Down");
        return std::stoi(shown.substr(shown.find('(') + 1));
    };
    const LONG narrow = width(pane);
    const int pageOfSmallRows = offsetAPageDown();

    chooseMenuItem('T', 'P');
    HWND dialog = waitForDialog("Preferences");
    pressKey(VK_TAB);  // from the pane's place to the rows' size
    typeText("99");
    require([&] { return textOf(GetDlgItem(dialog, 553)) == "99"; }, "99 as the rows' size");
    pressKey(VK_RETURN);
    waitForText(GetDlgItem(dialog, 556), "Font sizes go from 6 to 36 points: type one in that range.");
    typeText("14");  // over the size refused, which is selected
    require([&] { return textOf(GetDlgItem(dialog, 553)) == "14"; }, "14 as the rows' size");
    pressKey(VK_TAB);
    typeText("20");
    require([&] { return textOf(GetDlgItem(dialog, 555)) == "20"; }, "20 as the pane's size");
    pressToClose(dialog, VK_RETURN);
    require([&] { return width(pane) > narrow; }, "a wider byte pane");
    EXPECT_LT(offsetAPageDown(), pageOfSmallRows);
    expectSettings("recent:1=" + work.path("data.bin") +
                   "|list.tmpl\nview:rows-points=14\nview:bytes-points=20\nview:bytes=beside\n");

    chooseMenuItem('T', 'P');
    dialog = waitForDialog("Preferences");
    EXPECT_EQ(textOf(GetDlgItem(dialog, 553)), "14");
    pressChordFor(VK_MENU, 'L', "Below the rows checked",
                  [&] { return IsDlgButtonChecked(dialog, 551) == BST_CHECKED; });
    pressToClose(dialog, VK_RETURN);
    require(
        [&] {
            RECT paneAt, rowsAt;
            GetWindowRect(pane, &paneAt);
            GetWindowRect(rows, &rowsAt);
            return paneAt.top == rowsAt.bottom;
        },
        "the pane below the rows");
    expectSettings("recent:1=" + work.path("data.bin") +
                   "|list.tmpl\nview:rows-points=14\nview:bytes-points=20\nview:bytes=below\n");
}

}  // namespace
}  // namespace e2e
