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

}  // namespace
}  // namespace guitest
