#include "mainwindow/about_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "mainwindow/about_dialog_ids.h"
#include "mainwindow/home_page.h"
#include "mainwindow/modal_driver.h"
#include "mainwindow/window_resources.h"
#include "shell/ui_strings.h"

namespace {

struct AboutBox : testing::Test {
    void SetUp() override {
        moduleInstance = GetModuleHandleA(nullptr);
        BuildUIStrings();
    }
    void TearDown() override { FreeUIStrings(); }

    // Shows the box and records what it showed before the steps close it.
    size_t show(std::vector<guitest::DialogStep> steps) {
        return guitest::driveModal(
            "About Sondrix:", [] { ShowAboutBox(nullptr); }, std::move(steps));
    }
};

TEST_F(AboutBox, VersionLineIsMeasuredToItsText) {
    std::string version, homePage;
    SIZE expected{}, actual{};
    size_t steps = show({[&](HWND dialog) {
        HWND control = GetDlgItem(dialog, IDC_ABOUT_VERSION);
        version = guitest::windowText(control);
        homePage = guitest::windowText(GetDlgItem(dialog, IDC_ABOUT_HOME_PAGE));
        HDC dc = GetDC(control);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32A(dc, version.c_str(), static_cast<int>(version.size()), &expected);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        RECT box;
        GetWindowRect(control, &box);
        actual = SIZE{box.right - box.left, box.bottom - box.top};
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    }});
    EXPECT_EQ(steps, 1u);
    EXPECT_EQ(version, "Version: 1.0.0.148");
    EXPECT_EQ(homePage, std::string("Go to homepage: ") + kHomePageUrl);
    EXPECT_EQ(actual.cx, expected.cx);
    EXPECT_EQ(actual.cy, expected.cy);
}

// Keys go where the user's would: to the control with the focus.
void pressKey(WPARAM key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
}

TEST_F(AboutBox, EscapeKeepsItOpenWhileEnterOkAndTheCloseBoxEndIt) {
    const guitest::DialogStep enders[] = {
        [](HWND) { pressKey(VK_RETURN); },
        [](HWND dialog) { SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); },
        [](HWND dialog) { SendMessageA(dialog, WM_CLOSE, 0, 0); },
    };
    for (const guitest::DialogStep& end : enders) {
        size_t steps = show({
            [](HWND) { pressKey(VK_ESCAPE); }, end, [](HWND) {},  // never runs: the box has ended
        });
        EXPECT_EQ(steps, 2u);
    }
}

}  // namespace
