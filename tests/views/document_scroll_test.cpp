// Scrolling the document view by every means, with the current row kept in view by the keyboard.
#include <algorithm>
#include <string>
#include <vector>

#include "document_view_fixture.h"
#include "resource_ids.h"

namespace guitest {
namespace {

class DocumentScroll : public DocumentViewTest {
  protected:
    // A list of `items` words after its count, each with its bytes: items * 2 + 2 rows.
    void openList(uint32_t items) {
        Bytes bytes(4 + items * 2);
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(items >> (24 - 8 * i));
        open("LCNT:Items LSTC DWRD:Word LSTE", bytes);
    }
    int64_t lastOffset() const { return view->ContentHeight() - client().bottom; }
    // The row whose top the window shows at its top edge, found through a click there.
    int rowAtTop() {
        click(0);
        return currentRow();
    }
    void expectCurrentInView() {
        int64_t top = int64_t{currentRow()} * rowHeight();
        EXPECT_GE(top, view->scrollOffset) << "row " << currentRow();
        EXPECT_LE(top + rowHeight(), view->scrollOffset + client().bottom) << "row " << currentRow();
    }
};

TEST_F(DocumentScroll, RangeAndPageFollowTheDocumentAndTheWindow) {
    openList(50);
    SCROLLINFO bar = scrollInfo(SB_VERT);
    EXPECT_EQ(bar.nMin, 0);
    EXPECT_EQ(bar.nMax + 1, 102 * rowHeight());
    EXPECT_EQ(static_cast<int>(bar.nPage), client().bottom);
    EXPECT_TRUE(scrollBarEnabled(SB_VERT));

    scrollBar(SB_VERT, SB_BOTTOM);
    EXPECT_EQ(view->scrollOffset, lastOffset());
    MoveWindow(mainWindow, 0, 0, kFrameWidth, kFrameHeight + 100, TRUE);
    EXPECT_EQ(static_cast<int>(scrollInfo(SB_VERT).nPage), client().bottom);
    EXPECT_EQ(view->scrollOffset, lastOffset()) << "a taller window shows more of the end";

    open("DWRD DWRD", {});
    EXPECT_EQ(view->scrollOffset, 0);
    EXPECT_FALSE(scrollBarEnabled(SB_VERT)) << "disabled when everything fits";
}

TEST_F(DocumentScroll, ScrollBarRequestsMoveByLinesPagesAndToTheEnds) {
    openList(50);
    const int h = rowHeight();
    const int page = client().bottom - h;
    struct Step {
        int request;
        int64_t offset;
    };
    const Step steps[] = {
        {SB_LINEUP, 0}, {SB_LINEDOWN, h},          {SB_PAGEDOWN, h + page},
        {SB_PAGEUP, h}, {SB_BOTTOM, lastOffset()}, {SB_LINEDOWN, lastOffset()},
        {SB_TOP, 0},    {SB_ENDSCROLL, 0},
    };
    for (const Step& step : steps) {
        scrollBar(SB_VERT, step.request);
        EXPECT_EQ(view->scrollOffset, step.offset) << "request " << step.request;
        EXPECT_EQ(scrollInfo(SB_VERT).nPos, step.offset) << "request " << step.request;
    }
}

TEST_F(DocumentScroll, ThumbPositionsBeyondSixteenBitsAndTheWheel) {
    openList(10000);
    const int h = rowHeight();
    for (int target : {100000, 7 * h, 100000 + 3}) {
        SetScrollPos(view->hwnd, SB_VERT, target, FALSE);
        SendMessageA(view->hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, target & 0xFFFF), 0);
        EXPECT_EQ(view->scrollOffset, target);
        EXPECT_EQ(rowAtTop(), target / h);
    }
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    scrollBar(SB_VERT, SB_TOP);
    wheel(-WHEEL_DELTA);
    EXPECT_EQ(view->scrollOffset, static_cast<int>(lines) * h);
    wheel(WHEEL_DELTA / 2);
    wheel(WHEEL_DELTA / 2);
    EXPECT_EQ(view->scrollOffset, 0);
}

TEST_F(DocumentScroll, KeysKeepTheCurrentRowInView) {
    openList(50);
    const int h = rowHeight();
    const int rowsInView = client().bottom / h;
    for (int i = 0; i < rowsInView + 3; ++i) press(VK_DOWN);
    EXPECT_EQ(currentRow(), rowsInView + 3);
    EXPECT_EQ(view->scrollOffset, int64_t{rowsInView + 4} * h - client().bottom);
    press(VK_END);
    EXPECT_EQ(currentRow(), 101);
    EXPECT_EQ(view->scrollOffset, lastOffset());
    press(VK_PRIOR);
    expectCurrentInView();
    EXPECT_EQ(currentRow(), (102 * h - client().bottom) / h);
    press(VK_HOME);
    EXPECT_EQ(view->scrollOffset, 0);
    press(VK_NEXT);
    expectCurrentInView();
    EXPECT_EQ(currentRow(), (client().bottom - h) / h);
    // Clicks and the wheel leave the current row where it is.
    wheel(-WHEEL_DELTA * 10);
    EXPECT_EQ(currentRow(), (client().bottom - h) / h);
}

TEST_F(DocumentScroll, InsertingKeepsTheRangeAndTheCurrentRowUpToDate) {
    openList(50);
    const int h = rowHeight();
    // A list header (odd rows) at the bottom of the window; the new item pushes it out of view.
    const int rowsInView = client().bottom / h;
    const int header = (rowsInView - 1) % 2 ? rowsInView - 1 : rowsInView - 2;
    for (int i = 0; i < header; ++i) press(VK_DOWN);
    ASSERT_EQ(view->scrollOffset, 0);
    press(VK_INSERT);
    EXPECT_EQ(scrollInfo(SB_VERT).nMax + 1, 104 * h);
    EXPECT_EQ(currentRow(), header + 2);
    expectCurrentInView();
    EXPECT_GT(view->scrollOffset, 0);
    EXPECT_EQ(rowAtTop(), view->scrollOffset / h);
}

TEST_F(DocumentScroll, SidewaysRangeFollowsTheRowsInViewAndTheWindow) {
    Bytes bytes(2 + 4 + 100);
    bytes[5] = 50;
    open("DWRD:" + std::string(60, 'W') + " LCNT LSTC DWRD LSTE", bytes);
    SendMessageA(mainWindow, WM_COMMAND, cmdBytesBelow, 0);  // the rows take the whole width
    const int wide = view->ContentWidth();
    EXPECT_GT(wide, client().right);
    scrollBar(SB_HORZ, SB_BOTTOM);
    EXPECT_EQ(view->ScrollLeft(), wide - client().right);
    scrollBar(SB_VERT, SB_LINEDOWN);  // the wide row leaves the view
    pumpPending();
    EXPECT_LT(view->ContentWidth(), client().right / 2) << "a list row reaches only its bracket";
    EXPECT_EQ(view->ScrollLeft(), 0);
    MoveWindow(mainWindow, 0, 0, kFrameWidth / 2, kFrameHeight, TRUE);
    pumpPending();
    EXPECT_FALSE(scrollBarEnabled(SB_HORZ)) << "nothing to scroll in a narrower window";
    scrollBar(SB_VERT, SB_TOP);
    pumpPending();
    EXPECT_EQ(scrollInfo(SB_HORZ).nMax + 1, wide);
}

TEST_F(DocumentScroll, DividersMoveSidewaysWithTheRest) {
    open("DWRD:" + std::string(60, 'W') + " DVDR:Part BCNT LSTC DBYT LSTE", {0, 1, 1, 7});
    const int h = rowHeight();
    Snapshot before(view->hwnd);
    scrollBar(SB_HORZ, SB_LINEDOWN);
    const int moved = view->ScrollLeft();
    ASSERT_GT(moved, 0);
    Snapshot after(view->hwnd);
    int stayed = 0;
    for (int y = h; y < 6 * h; ++y) {  // below the current row and its focus rectangle
        for (int x = 0; x + moved < after.width(); ++x) stayed += after.at(x, y) != before.at(x + moved, y);
    }
    EXPECT_EQ(stayed, 0);
}

}  // namespace
}  // namespace guitest
