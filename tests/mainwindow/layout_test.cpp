// Resizing the main window lays out the tab control and every view.
#include "frame_fixture.h"

namespace guitest {
namespace {

using LayoutTest = MainFrameTest;

TEST_F(LayoutTest, ResizingFitsTheTabControlAboveTheStatusBarAndEveryViewToTheDisplayArea) {
    TestView* views[] = {openView("hidden"), openView("also hidden"), openView("shown")};
    const SIZE sizes[] = {{640, 480}, {300, 200}, {1000, 760}};
    for (const SIZE& size : sizes) {
        SetWindowPos(mainWindow, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(placedOn(frame->hwndTabs, areaAboveStatusBar())) << size.cx << "x" << size.cy;
        for (TestView* view : views) EXPECT_TRUE(placedOn(view->hwnd, displayArea())) << view->caption;
    }
}

}  // namespace
}  // namespace guitest
