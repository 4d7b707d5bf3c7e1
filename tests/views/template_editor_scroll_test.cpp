// Scrolling the editor: both scroll bars, the wheel, and the ranges after a resize.
#include <algorithm>

#include "shell/drawing_resources.h"
#include "shell/strings.h"
#include "template_editor_fixture.h"

namespace guitest {
namespace {

class EditorScrollTest : public TemplateEditorTest {
  protected:
    void scroll(UINT message, int request, int position = 0) {
        SendMessageA(editor->hwnd, message, MAKEWPARAM(request, position), 0);
    }
    SCROLLINFO scrollInfo(int bar) const {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(editor->hwnd, bar, &info);
        return info;
    }
    int clientWidth() const {
        RECT client;
        GetClientRect(editor->hwnd, &client);
        return client.right;
    }

    TfrmTemplate* editor = nullptr;
};

TEST_F(EditorScrollTest, TheVerticalRangeRunsOneRowPastTheLastField) {
    editor = openEditor(addLibraryTemplate("rows.tmpl", repeated("DWRD", 200).c_str()));
    RECT client;
    GetClientRect(editor->hwnd, &client);
    const int32_t page = (client.bottom + tmNormal.height - 1) / tmNormal.height;
    ASSERT_EQ(editor->pageRows, page);
    SCROLLINFO info = scrollInfo(SB_VERT);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 200);
    EXPECT_EQ(info.nPage, static_cast<UINT>(page));

    const int32_t lastTop = 200 - page + 1;  // the last field on the second-last visible row
    struct Step {
        int request;
        int position;
        int32_t topRow;
    } const steps[] = {
        {SB_LINEDOWN, 0, 1},
        {SB_PAGEDOWN, 0, 1 + page},
        {SB_LINEUP, 0, page},
        {SB_BOTTOM, 0, lastTop},
        {SB_LINEDOWN, 0, lastTop},
        {SB_PAGEDOWN, 0, lastTop},
        {SB_THUMBTRACK, 50, 50},
        {SB_THUMBPOSITION, 60, 60},
        {SB_ENDSCROLL, 0, 60},
        {SB_PAGEUP, 0, 60 - page},
        {SB_TOP, 0, 0},
        {SB_LINEUP, 0, 0},
    };
    for (const Step& step : steps) {
        scroll(WM_VSCROLL, step.request, step.position);
        EXPECT_EQ(editor->topRow, step.topRow) << "request " << step.request;
        EXPECT_EQ(editor->bottomRow, step.topRow + page);
        EXPECT_EQ(GetScrollPos(editor->hwnd, SB_VERT), step.topRow);
    }
}

TEST_F(EditorScrollTest, RowsThatFitNeverScroll) {
    editor = openEditor(addLibraryTemplate("few.tmpl", "DWRD DWRD DWRD"));
    const int requests[] = {SB_LINEDOWN, SB_PAGEDOWN, SB_BOTTOM};
    for (int request : requests) {
        scroll(WM_VSCROLL, request);
        EXPECT_EQ(editor->topRow, 0);
    }
}

TEST_F(EditorScrollTest, TheHorizontalRangeIsTheWidestRowScrolledByPixels) {
    Template* source = addLibraryTemplate("wide.tmpl", "DWRD DWRD");
    delete[] source->fields[1]->caption;
    source->fields[1]->caption = DupString(std::string(400, 'm').c_str());
    editor = openEditor(source);
    const int width = clientWidth();
    ASSERT_GT(editor->contentWidth, width + 10);
    SCROLLINFO info = scrollInfo(SB_HORZ);
    EXPECT_EQ(info.nMax, editor->contentWidth);
    EXPECT_EQ(info.nPage, static_cast<UINT>(width));

    const int32_t last = editor->contentWidth - width;
    struct Step {
        int request;
        int position;
        int32_t scrollX;
    } const steps[] = {
        {SB_LINERIGHT, 0, 1},    {SB_LINERIGHT, 0, 2},    {SB_LINELEFT, 0, 1},   {SB_PAGERIGHT, 0, 1 + width},
        {SB_PAGELEFT, 0, 1},     {SB_LINELEFT, 0, 0},     {SB_THUMBTRACK, 7, 7}, {SB_RIGHT, 0, last},
        {SB_LINERIGHT, 0, last}, {SB_PAGERIGHT, 0, last}, {SB_LEFT, 0, 0},       {SB_PAGELEFT, 0, 0},
    };
    for (const Step& step : steps) {
        scroll(WM_HSCROLL, step.request, step.position);
        EXPECT_EQ(editor->scrollX, step.scrollX) << "request " << step.request;
        EXPECT_EQ(GetScrollPos(editor->hwnd, SB_HORZ), step.scrollX);
    }
}

TEST_F(EditorScrollTest, TheWheelScrollsTheSystemsLinesPerNotch) {
    editor = openEditor(addLibraryTemplate("wheel.tmpl", repeated("DWRD", 300).c_str()));
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int32_t step = lines == WHEEL_PAGESCROLL ? editor->pageRows : static_cast<int32_t>(lines);
    auto wheel = [&](int delta) { SendMessageA(editor->hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0); };
    wheel(-2 * WHEEL_DELTA);
    EXPECT_EQ(editor->topRow, 2 * step);
    wheel(WHEEL_DELTA / 2);
    EXPECT_EQ(editor->topRow, 2 * step);
    wheel(WHEEL_DELTA / 2);
    EXPECT_EQ(editor->topRow, step);
    EXPECT_EQ(GetScrollPos(editor->hwnd, SB_VERT), step);
    wheel(10 * WHEEL_DELTA);
    EXPECT_EQ(editor->topRow, 0);
}

TEST_F(EditorScrollTest, ResizingRecomputesThePageAndTheRangesButKeepsThePositions) {
    editor = openEditor(addLibraryTemplate("resize.tmpl", repeated("DWRD", 300).c_str()));
    scroll(WM_VSCROLL, SB_THUMBPOSITION, 40);
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
              static_cast<UINT>(std::min(clientWidth(), editor->contentWidth + 1)));
}

}  // namespace
}  // namespace guitest
