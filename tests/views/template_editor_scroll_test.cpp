// Scrolling the editor: both scroll bars, the wheel, and the ranges after a resize.
#include <algorithm>
#include <array>

#include "shell/drawing_resources.h"
#include "shell/strings.h"
#include "template_editor_fixture.h"

namespace guitest {
namespace {

class EditorScrollTest : public TemplateEditorTest {
  protected:
    // Each step {request, thumb position, the position expected after it} in turn.
    void expectSteps(UINT message, const int32_t& position, std::initializer_list<std::array<int, 3>> steps) {
        for (const auto& step : steps) {
            SendMessageA(editor->hwnd, message, MAKEWPARAM(step[0], step[1]), 0);
            EXPECT_EQ(position, step[2]) << "request " << step[0];
            EXPECT_EQ(GetScrollPos(editor->hwnd, message == WM_VSCROLL ? SB_VERT : SB_HORZ), step[2]);
        }
    }
    SCROLLINFO scrollInfo(int bar) const {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(editor->hwnd, bar, &info);
        return info;
    }
    RECT client() const {
        RECT area;
        GetClientRect(editor->hwnd, &area);
        return area;
    }

    TfrmTemplate* editor = nullptr;
};

TEST_F(EditorScrollTest, TheVerticalRangeRunsOneRowPastTheLastField) {
    editor = openEditor(addLibraryTemplate("rows.tmpl", repeated("DWRD", 200).c_str()));
    const int32_t page = (client().bottom + tmNormal.height - 1) / tmNormal.height;
    ASSERT_EQ(editor->pageRows, page);
    const SCROLLINFO info = scrollInfo(SB_VERT);
    EXPECT_EQ(info.nMax - info.nMin, 200);
    EXPECT_EQ(info.nPage, static_cast<UINT>(page));

    const int32_t last = 200 - page + 1;  // the last field on the second-last visible row
    expectSteps(WM_VSCROLL, editor->topRow,
                {{SB_LINEDOWN, 0, 1},
                 {SB_PAGEDOWN, 0, 1 + page},
                 {SB_LINEUP, 0, page},
                 {SB_BOTTOM, 0, last},
                 {SB_LINEDOWN, 0, last},
                 {SB_PAGEDOWN, 0, last},
                 {SB_THUMBTRACK, 50, 50},
                 {SB_THUMBPOSITION, 60, 60},
                 {SB_ENDSCROLL, 0, 60},
                 {SB_PAGEUP, 0, 60 - page},
                 {SB_TOP, 0, 0},
                 {SB_LINEUP, 0, 0}});
    EXPECT_EQ(editor->bottomRow, page);

    editor = openEditor(addLibraryTemplate("few.tmpl", "DWRD DWRD DWRD"));
    expectSteps(WM_VSCROLL, editor->topRow, {{SB_LINEDOWN, 0, 0}, {SB_PAGEDOWN, 0, 0}, {SB_BOTTOM, 0, 0}});
}

TEST_F(EditorScrollTest, TheHorizontalRangeIsTheWidestRowScrolledByPixels) {
    Template* source = addLibraryTemplate("wide.tmpl", "DWRD DWRD");
    delete[] source->fields[1]->caption;
    source->fields[1]->caption = DupString(std::string(400, 'm').c_str());
    editor = openEditor(source);
    const int w = client().right;
    ASSERT_GT(editor->contentWidth, w + 10);
    EXPECT_EQ(scrollInfo(SB_HORZ).nMax, editor->contentWidth);
    EXPECT_EQ(scrollInfo(SB_HORZ).nPage, static_cast<UINT>(w));

    const int last = editor->contentWidth - w;
    expectSteps(WM_HSCROLL, editor->scrollX,
                {{SB_LINERIGHT, 0, 1},
                 {SB_LINERIGHT, 0, 2},
                 {SB_LINELEFT, 0, 1},
                 {SB_PAGERIGHT, 0, 1 + w},
                 {SB_PAGELEFT, 0, 1},
                 {SB_LINELEFT, 0, 0},
                 {SB_THUMBTRACK, 7, 7},
                 {SB_RIGHT, 0, last},
                 {SB_LINERIGHT, 0, last},
                 {SB_PAGERIGHT, 0, last},
                 {SB_LEFT, 0, 0},
                 {SB_PAGELEFT, 0, 0}});
}

TEST_F(EditorScrollTest, TheWheelScrollsTheSystemsLinesPerNotch) {
    editor = openEditor(addLibraryTemplate("wheel.tmpl", repeated("DWRD", 300).c_str()));
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int32_t step = lines == WHEEL_PAGESCROLL ? editor->pageRows : static_cast<int32_t>(lines);
    const int deltas[] = {-2 * WHEEL_DELTA, WHEEL_DELTA / 2, WHEEL_DELTA / 2, 10 * WHEEL_DELTA};
    const int32_t topRows[] = {2 * step, 2 * step, step, 0};  // half notches add up
    for (int i = 0; i < 4; ++i) {
        SendMessageA(editor->hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, deltas[i]), 0);
        EXPECT_EQ(editor->topRow, topRows[i]) << "delta " << deltas[i];
        EXPECT_EQ(GetScrollPos(editor->hwnd, SB_VERT), topRows[i]);
    }
}

TEST_F(EditorScrollTest, ResizingRecomputesThePageAndTheRangesButKeepsThePositions) {
    editor = openEditor(addLibraryTemplate("resize.tmpl", repeated("DWRD", 300).c_str()));
    SendMessageA(editor->hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), 0);
    const int32_t pageBefore = editor->pageRows;
    RECT window;
    GetWindowRect(mainWindow, &window);
    MoveWindow(mainWindow, window.left, window.top, window.right - window.left,
               (window.bottom - window.top) / 2, TRUE);
    EXPECT_LT(editor->pageRows, pageBefore);
    EXPECT_EQ(editor->topRow, 40);
    EXPECT_EQ(editor->bottomRow, 40 + editor->pageRows);
    EXPECT_EQ(scrollInfo(SB_VERT).nPage, static_cast<UINT>(editor->pageRows));
    // The system keeps the page within the range.
    EXPECT_EQ(scrollInfo(SB_HORZ).nPage,
              static_cast<UINT>(std::min<LONG>(client().right, editor->contentWidth + 1)));
}

}  // namespace
}  // namespace guitest
