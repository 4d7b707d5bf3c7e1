// Selecting rows and moving the current row with the keys and the mouse.
#include "document_view_fixture.h"

namespace guitest {
namespace {

class DocumentSelection : public DocumentViewTest {
  protected:
    void SetUp() override {
        DocumentViewTest::SetUp();
        open("DWRD:A DWRD:B DWRD:C DWRD:D", {0, 1, 0, 2, 0, 3, 0, 4});
    }
};

TEST_F(DocumentSelection, UpAndDownStepOffTheEndsAndComeBack) {
    struct Step {
        UINT key;
        bool shift;
        int current;
        const char* selected;
    };
    const Step steps[] = {
        {VK_UP, false, -1, ""},       // past the first row: nothing is current
        {VK_UP, false, 0, "0"},       // and Up starts again at the first
        {VK_DOWN, true, 1, "0 1"},    // Shift keeps the selection
        {VK_DOWN, true, 2, "0 1 2"},  //
        {VK_DOWN, false, 3, "3"},     // without Shift only the current row stays selected
        {VK_DOWN, false, -1, ""},     // past the last row
        {VK_DOWN, false, 3, "3"},     // Down without a current row starts at the last
        {VK_HOME, false, 0, "0"},     //
        {VK_END, true, 3, "0 3"},     //
        {VK_PRIOR, false, 0, "0"},    // page keys stop at the ends
        {VK_UP, true, -1, "0"},       //
    };
    for (const Step& step : steps) {
        press(step.key, step.shift);
        EXPECT_EQ(currentRow(), step.current) << "key " << step.key;
        EXPECT_EQ(selectedRows(), step.selected) << "key " << step.key;
    }
    int currentMarks = 0;
    for (int i = 0; i < 4; ++i) currentMarks += (row(i)->flags & kInstanceCurrent) != 0;
    EXPECT_EQ(currentMarks, 0);
}

TEST_F(DocumentSelection, ClicksSelectTheRowUnderThePointer) {
    const int h = rowHeight();
    struct Click {
        int y;
        bool shift;
        int current;
        const char* selected;
    };
    const Click clicks[] = {
        {h, false, 1, "1"},           // the first pixel row of the second row
        {h - 1, false, 0, "0"},       // the last pixel row of the first
        {2 * h + 1, true, 2, "0 2"},  // Shift adds the row to the selection
        {20 * h, false, 3, "3"},      // below the last row: the last row
        {h, true, 1, "1 3"},          //
    };
    for (const Click& click : clicks) {
        this->click(click.y, click.shift);
        EXPECT_EQ(currentRow(), click.current) << "y " << click.y;
        EXPECT_EQ(selectedRows(), click.selected) << "y " << click.y;
    }
}

TEST_F(DocumentSelection, ButtonsShareTheCaptureByCounting) {
    SetFocus(FindWindowExA(mainWindow, nullptr, "SysTabControl32", nullptr));  // away from the view
    SendMessageA(view->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(GetFocus(), view->hwnd);
    EXPECT_EQ(GetCapture(), view->hwnd);
    SendMessageA(view->hwnd, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_EQ(view->captureCount, 2);
    SendMessageA(view->hwnd, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(GetCapture(), view->hwnd);
    SendMessageA(view->hwnd, WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(view->captureCount, 0);

    // A capture taken away by another window leaves no button holding it.
    SendMessageA(view->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SetCapture(mainWindow);
    EXPECT_EQ(view->captureCount, 0);
    ReleaseCapture();
    SendMessageA(view->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(GetCapture(), view->hwnd);
    SendMessageA(view->hwnd, WM_LBUTTONUP, 0, 0);
}

}  // namespace
}  // namespace guitest
