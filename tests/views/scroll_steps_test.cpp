// Scroll bars count in 31 bits; content of up to 63 is shown on them in units of a power of two,
// the range, the page and the position alike.
#include "views/document/scroll_steps.h"

#include <tuple>

#include "mainwindow/frame_fixture.h"

namespace guitest {
namespace {

TEST_F(MainFrameTest, TallContentIsCountedInUnitsWhoseThumbReachesBothEndsAndStepsStayExact) {
    HWND bar = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 100, 100,
                               mainWindow, nullptr, moduleInstance, nullptr);
    auto shown = [bar] {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(bar, SB_VERT, &info);
        return info;
    };
    // The offset the thumb gives when left at that position (the bar keeps it within its range).
    auto thumbAt = [bar](int position, int64_t content, int32_t page) {
        SetScrollPos(bar, SB_VERT, position, FALSE);
        return clampOffset(scrollRequestTarget(bar, SB_VERT, SB_THUMBPOSITION, -1, content, 16, page),
                           content, page);
    };
    constexpr int64_t kTwo31 = int64_t{1} << 31;
    // The content, the page and the offset shown; the bar's range end, page and position then.
    const std::tuple<int64_t, int32_t, int64_t, int, UINT, int> cases[] = {
        {1000, 100, 900, 999, 100, 900},
        {kTwo31 - 1, 500, kTwo31 - 501, INT32_MAX - 1, 500,
         INT32_MAX - 500},                                                 // the most a bar holds as it is
        {kTwo31, 500, 12345, (1 << 30) - 1, 250, 6172},                    // halved
        {9600000000, 584, 4800000000, 1199999999, 73, 600000000},          // 6 * 10^8 rows of 16 pixels
        {INT64_MAX, 584, INT64_MAX / 2, (1 << 30) - 1, 0, (1 << 29) - 1},  // a page less than the unit
    };
    for (const auto& [content, page, offset, end, barPage, position] : cases) {
        showScrollRange(bar, SB_VERT, content, page, offset);
        const SCROLLINFO info = shown();
        EXPECT_EQ(std::tuple(info.nMin, info.nMax, info.nPage, info.nPos),
                  std::tuple(0, end, barPage, position))
            << content;

        // The ends are exact whatever the unit; between them the offset shows at the thumb's position.
        EXPECT_EQ(thumbAt(0, content, page), 0) << content;
        EXPECT_EQ(thumbAt(INT32_MAX, content, page), content - page) << content;
        const int middle = end / 2;
        showScrollPosition(bar, SB_VERT, content, thumbAt(middle, content, page));
        EXPECT_EQ(shown().nPos, middle) << content;

        for (auto [request, moved] : {std::pair{SB_LINEDOWN, 16}, {SB_LINEUP, -16}, {SB_PAGEDOWN, page}})
            EXPECT_EQ(scrollRequestTarget(bar, SB_VERT, request, offset, content, 16, page), offset + moved)
                << content << " request " << request;
    }
}

}  // namespace
}  // namespace guitest
