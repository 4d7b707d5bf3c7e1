// Views on tabs: order, selection, visibility, focus and tab texts.
#include "frame_fixture.h"

namespace guitest {
namespace {

class TabsTest : public MainFrameTest {
  protected:
    void openThree() {
        for (int i = 0; i < 3; ++i) views[i] = openView(kCaptions[i]);
    }
    void expectOnlyShown(int shown, int opened = 3) {
        for (int i = 0; i < opened; ++i)
            EXPECT_EQ(IsWindowVisible(views[i]->hwnd) != 0, i == shown) << "view " << i;
    }
    void notify(HWND sender, UINT code) {
        NMHDR header{sender, 0, code};
        SendMessageA(mainWindow, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    }

    static constexpr const char* kCaptions[3] = {"first", "second", "third"};
    TestView* views[3] = {};
};

TEST_F(TabsTest, EachNewViewTakesTheNextTabAndIsSelectedShownAndFocused) {
    for (int i = 0; i < 3; ++i) {
        views[i] = openView(kCaptions[i]);
        ASSERT_EQ(tabCount(), i + 1);
        ASSERT_EQ(frame->count, i + 1);
        EXPECT_EQ(frame->entries[i]->view, views[i]);
        EXPECT_EQ(frame->CurrentEntry(), frame->entries[i]);
        EXPECT_EQ(GetFocus(), views[i]->hwnd);
        expectOnlyShown(i, i + 1);
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tabText(i), kCaptions[i]);
        EXPECT_EQ(entryOfTab(i), frame->entries[i]);
    }
}

// The system takes the focus from a hidden view (to the main window, or to the tab control that
// was clicked); the frame must not give it to the view it shows.
TEST_F(TabsTest, SelectionNotificationsHideAllThenShowTheSelectedViewWithoutFocusingIt) {
    openThree();
    notify(views[0]->hwnd, TCN_SELCHANGING);
    expectOnlyShown(2);  // not from the tab control
    notify(frame->hwndTabs, TCN_SELCHANGING);
    expectOnlyShown(-1);
    SendMessageA(frame->hwndTabs, TCM_SETCURSEL, 0, 0);
    notify(frame->hwndTabs, TCN_SELCHANGE);
    expectOnlyShown(0);
    EXPECT_NE(GetFocus(), views[0]->hwnd);
}

TEST_F(TabsTest, NewCaptionRenamesOnlyItsOwnTabAndKeepsTheViewOnTheDisplayArea) {
    openThree();
    views[1]->Rename("renamed [*]");
    EXPECT_EQ(tabText(1), "renamed [*]");
    EXPECT_TRUE(placedOn(views[1]->hwnd, displayArea()));

    TestView loose(frame, "loose");
    RECT where{0, 0, 10, 10};
    loose.Rename("still loose");
    EXPECT_TRUE(placedOn(loose.hwnd, where));
    const char* expected[] = {"first", "renamed [*]", "third"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(tabText(i), expected[i]);
}

}  // namespace
}  // namespace guitest
