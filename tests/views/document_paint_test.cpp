// What the document view paints: backgrounds, focus rectangle, control rows, brackets and nesting
// lines; and scrolling by every means, the keyboard keeping the current row in view.
#include <array>

#include "mainwindow/frame_fixture.h"
#include "platform/recording_surface.h"
#include "resource_ids.h"
#include "views/document/row_drawing.h"

namespace guitest {
namespace {

using Lines = std::vector<std::array<int, 4>>;  // each from x1, y1 to x2, y2

constexpr int kRowWidth = 200;

class DocumentPaint : public ViewTest {
  protected:
    // The row drawn from x = 0 on a row kRowWidth wide whose top is 0; its texts, "|" between.
    std::string record(int index) {
        surface.clear();
        FieldInstance* instance = row(index);
        PaintContext paint{surface.dc(), {0, 0, kRowWidth, 100}, 1};
        RowLayout layout = rowLayout(instance, {0, 0, kRowWidth, static_cast<int32_t>(instance->height)});
        drawRowContent(instance, paint, layout);
        std::string joined;
        for (const auto& text : surface.texts) joined += (joined.empty() ? "" : "|") + text.text;
        return joined;
    }
    // All in the tree line's pen.
    Lines lines() const {
        Lines drawn;
        for (const auto& l : surface.lines) {
            EXPECT_EQ(l.pen, penTreeLine);
            drawn.push_back({l.x1, l.y1, l.x2, l.y2});
        }
        return drawn;
    }
    // The rectangle of a row in client coordinates, cut to the columns [left, right).
    RECT rowArea(int index, int left, int right) const { return {left, index * h, right, (index + 1) * h}; }

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
        int64_t top = int64_t{currentRow()} * h;
        EXPECT_GE(top, view->scrollOffset) << "row " << currentRow();
        EXPECT_LE(top + h, view->scrollOffset + client().bottom) << "row " << currentRow();
    }

    platform::RecordingSurface surface;
};

TEST_F(DocumentPaint, BackgroundsFollowSelectionAndFocus) {
    open("DWRD:A DWRD:B DWRD:C", {0, 1, 0, 2, 0, 3});
    press(VK_DOWN, true);  // rows 0 and 1 selected, row 1 current
    const int right = client().right;
    // Each area all in the colour of "h" the selection, "i" the selection without the focus, "w" the
    // window, or "?" none: the ends of the first row and of the current row, the third's right end, below.
    auto looks = [&] {
        const Snapshot painted(view->hwnd);
        std::string text;
        for (RECT area : {rowArea(0, 0, 2), rowArea(0, right - 60, right), rowArea(1, 0, 2),
                          rowArea(1, right - 60, right), rowArea(2, right - 60, right),
                          RECT{0, 3 * h, right, painted.height()}}) {
            text += !painted.countOtherThan(colourOf(COLOR_HIGHLIGHT), area) ? 'h'
                    : !painted.countOtherThan(colourOf(COLOR_BTNFACE), area) ? 'i'
                    : !painted.countOtherThan(colourOf(COLOR_WINDOW), area)  ? 'w'
                                                                             : '?';
        }
        return text;
    };
    EXPECT_EQ(looks(), "hh??ww");  // the current row's focus rectangle at both ends
    pumpPending();
    focusTabs();
    EXPECT_TRUE(GetUpdateRect(view->hwnd, nullptr, FALSE)) << "losing the focus repaints";
    EXPECT_EQ(looks(), "iiiiww");
}

TEST_F(DocumentPaint, ControlKeyCaseAndRestRowsShowWhatTheyHoldAndListsTheirBracketsAtTheirDepth) {
    // Rows 0 the zero-based count, 8 the full one, 11 the size.
    open("WZCT:Zero LSTC DBYT LSTE WCNT:Full LSTC DBYT LSTE BSIZ:Size", {0, 2, 1, 2, 3, 0xFF, 0xFF, 7});
    ASSERT_EQ(record(0), "Zero|3");
    EXPECT_EQ(surface.texts[1].x, 4 + widthIn(fntBold, "Zero") + 12);
    EXPECT_EQ(surface.texts[1].font, fntNormal);
    EXPECT_EQ(record(8) + " " + record(11), "Full|-1 Size|7");  // FF FF makes no item

    open("KEYB KBYT:Key CASE:*:Other KEYE", {0xFE, 'h', 'i'});
    EXPECT_EQ(record(0) + " " + record(1) + " " + record(2), "Key|-2 *:Other 2 more bytes|68 69  hi");

    open("BCNT LSTC BCNT LSTC DBYT LSTE LSTE", {2, 1, 9, 0});  // two items, the first with one of its own
    const int mid = h / 2;
    // The bracket's upright from y1 to y2 at x, then its arm to the row's right end: at the first
    // header, the nested first header, the nested end, the second header, the end.
    const std::array<int, 4> brackets[] = {
        {1, 6, h, mid}, {3, 18, h, mid}, {5, 18, 0, mid}, {6, 6, h, 0}, {10, 6, 0, mid}};
    for (const auto& [at, x, y1, y2] : brackets) {
        EXPECT_EQ(record(at), "") << at;
        EXPECT_EQ(lines(), (Lines{{x, y1, x, y2}, {x, mid, kRowWidth, mid}})) << at;
    }
    // The nesting lines of the inner item's row drawn from x = left and cut at the right, at each x.
    const std::tuple<int, int, std::vector<int>> nestings[] = {
        {0, kRowWidth, {18, 6}}, {0, 10, {6}}, {-12, kRowWidth, {6}}};
    for (const auto& [left, clipRight, xs] : nestings) {
        surface.clear();
        drawNestingLines(surface.dc(), row(4), left, 0, h, clipRight);
        Lines expected;
        for (int x : xs) expected.push_back({x, 0, x, h});
        EXPECT_EQ(lines(), expected) << "left " << left << ", clip " << clipRight;
    }
}

TEST_F(DocumentPaint, RangeAndPageFollowTheDocumentAndTheWindowAndRequestsThumbAndWheelMoveIt) {
    openList(50);
    const SCROLLINFO bar = scrollInfo(SB_VERT);
    EXPECT_EQ(std::tuple(bar.nMin, bar.nMax + 1, static_cast<int>(bar.nPage)),
              std::tuple(0, 102 * h, client().bottom));

    const int page = client().bottom - h;
    const std::pair<int, int64_t> steps[] = {
        {SB_LINEUP, 0}, {SB_LINEDOWN, h},          {SB_PAGEDOWN, h + page},
        {SB_PAGEUP, h}, {SB_BOTTOM, lastOffset()}, {SB_LINEDOWN, lastOffset()},
        {SB_TOP, 0},    {SB_ENDSCROLL, 0},
    };
    for (const auto& [request, offset] : steps) {
        scrollBar(SB_VERT, request);
        EXPECT_EQ(view->scrollOffset, offset) << "request " << request;
        EXPECT_EQ(scrollInfo(SB_VERT).nPos, offset) << "request " << request;
    }

    scrollBar(SB_VERT, SB_BOTTOM);
    MoveWindow(mainWindow, 0, 0, kFrameWidth, kFrameHeight + 100, TRUE);
    EXPECT_EQ(static_cast<int>(scrollInfo(SB_VERT).nPage), client().bottom);
    EXPECT_EQ(view->scrollOffset, lastOffset()) << "a taller window shows more of the end";

    // Thumb positions beyond sixteen bits, and the wheel.
    openList(10000);
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

    open("DWRD DWRD", {});
    EXPECT_EQ(view->scrollOffset, 0);
    const SCROLLINFO fits = scrollInfo(SB_VERT);
    EXPECT_LE(fits.nMax + 1, static_cast<int>(fits.nPage)) << "nothing to scroll when everything fits";
}

TEST_F(DocumentPaint, KeysAndInsertionsKeepTheCurrentRowInView) {
    openList(50);
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

    // A list header (odd rows) at the bottom of the window; the new item pushes it out of view.
    const int header = (rowsInView - 1) % 2 ? rowsInView - 1 : rowsInView - 2;
    press(VK_HOME);
    for (int i = 0; i < header; ++i) press(VK_DOWN);
    ASSERT_EQ(view->scrollOffset, 0);
    press(VK_INSERT);
    EXPECT_EQ(currentRow(), header + 2);
    expectCurrentInView();
    EXPECT_GT(view->scrollOffset, 0);
    EXPECT_EQ(rowAtTop(), view->scrollOffset / h);
}

TEST_F(DocumentPaint, SidewaysRangeFollowsTheRowsInViewAndTheWindowAndDividersMoveWithTheRest) {
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
    const SCROLLINFO sideways = scrollInfo(SB_HORZ);
    EXPECT_LE(sideways.nMax + 1, static_cast<int>(sideways.nPage))
        << "nothing to scroll in a narrower window";
    scrollBar(SB_VERT, SB_TOP);
    pumpPending();
    EXPECT_EQ(scrollInfo(SB_HORZ).nMax + 1, wide);

    MoveWindow(mainWindow, 0, 0, kFrameWidth, kFrameHeight, TRUE);
    open("DWRD:" + std::string(60, 'W') + " DVDR:Part BCNT LSTC DBYT LSTE", {0, 1, 1, 7});
    Snapshot before(view->hwnd);
    scrollBar(SB_HORZ, SB_LINEDOWN);
    const int moved = view->ScrollLeft();
    ASSERT_GT(moved, 0);
    Snapshot after(view->hwnd);
    int stayed = 0;
    for (int y = h; y < 6 * h; ++y)  // below the current row and its focus rectangle
        for (int x = 0; x + moved < after.width(); ++x) stayed += after.at(x, y) != before.at(x + moved, y);
    EXPECT_EQ(stayed, 0);
}

}  // namespace
}  // namespace guitest
