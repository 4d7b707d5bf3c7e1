// The main window as construction leaves it, and after the frame object is gone.
#include "fieldtypes/host_interface.h"
#include "frame_fixture.h"
#include "shell/drawing_resources.h"

namespace guitest {
namespace {

using MainWindowTest = MainFrameTest;

std::string classOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

TEST_F(MainWindowTest, ShowsTitleMenuIconsAndAnEmptyTabControlAboveTheStatusBar) {
    EXPECT_EQ(classOf(mainWindow), "TfrmMain");
    char title[64] = "";
    GetWindowTextA(mainWindow, title, sizeof(title));
    EXPECT_STREQ(title, "Sondrix");
    EXPECT_EQ(GetWindowLongA(mainWindow, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(GetMenuItemCount(GetMenu(mainWindow)), 5);
    EXPECT_NE(frame->hIconLarge, nullptr);
    EXPECT_EQ(GetClassLongPtrA(mainWindow, GCLP_HICONSM), reinterpret_cast<ULONG_PTR>(frame->hIconSmall));
    EXPECT_EQ(mainWindowHandle, mainWindow);
    // The caption buttons draw their glyphs in Marlett; without it they show as letters.
    LOGFONTA marlett{};
    marlett.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(marlett.lfFaceName, "Marlett");
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(
        screen, &marlett,
        [](const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM seen) -> int {
            *reinterpret_cast<bool*>(seen) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(found) << "no Marlett font";

    EXPECT_EQ(classOf(frame->hwndTabs), "SysTabControl32");
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(frame->hwndTabs, WM_GETFONT, 0, 0)), fntNormal);
    EXPECT_EQ(classOf(frame->hwndStatus), "msctls_statusbar32");
    EXPECT_TRUE(placedOn(frame->hwndTabs, areaAboveStatusBar()));
    EXPECT_EQ(tabCount(), 0);
    EXPECT_EQ(frame->CurrentEntry(), nullptr);
}

TEST_F(MainWindowTest, DeletingTheFrameKeepsTheWindowButDetachesIt) {
    openView("view");
    delete frame;
    frame = nullptr;
    EXPECT_TRUE(IsWindow(mainWindow));
    EXPECT_EQ(GetWindowLongPtrA(mainWindow, GWLP_USERDATA), 0);
    EXPECT_EQ(mainWindowHandle, nullptr);
    // Late messages go to default processing instead of the deleted object.
    SendMessageA(mainWindow, WM_SIZE, 0, 0);
}

}  // namespace
}  // namespace guitest
