// The byte pane as a user meets it: a click on a byte makes the row holding it current and
// highlights its bytes, the arrow keys move the cursor and the row with it, Tab goes back to the
// rows, and View > Bytes beside the rows moves the pane, as remembered in Sondrix.ini.
#include <vector>

#include "sondrix_fixture.h"
#include "support/pixel_bitmap.h"

namespace e2e {
namespace {

// The cells before the first hex pair: a margin, eight offset digits and two spaces.
constexpr int kCellsBeforeHex = 11;

// The box around the highlighted pixels the window shows on the screen; empty when there are none.
RECT highlightIn(HWND window) {
    return testsupport::Snapshot(window,
                                 [window](HDC dc) {
                                     RECT client;
                                     GetClientRect(window, &client);
                                     POINT origin{0, 0};
                                     ClientToScreen(window, &origin);
                                     HDC screen = GetDC(nullptr);
                                     BitBlt(dc, 0, 0, client.right, client.bottom, screen, origin.x, origin.y,
                                            SRCCOPY);
                                     ReleaseDC(nullptr, screen);
                                 })
        .boxOf(testsupport::colourOf(COLOR_HIGHLIGHT));
}

// The left button pressed and released at a point of the window, through the input queue.
void clickAt(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

TEST_F(SondrixTest, BytePaneClicksAndKeysMoveTheCursorAndTheCurrentRowTogether) {
    work.write("TMPL\\pair.tmpl", templateFile({{"UBYT", "Tag"}, {"UWRD", "Value"}, {"UBYT", "Flag"}}));
    work.write("data.bin", testsupport::Bytes{1, 2, 3, 4, 5, 6, 7});
    work.write("Sondrix.ini", std::string("view:bytes=below\n"));
    startProgram("data.bin PAIR");
    HWND rows = waitForView("TfrmDocument");
    HWND pane = childrenOf(mainWindow, "TBytePane").at(0);
    waitForText(pane, "00000000  01 02 03 04 05 06 07" + std::string(30, ' ') + ".......");
    auto place = [&] {
        RECT paneAt, rowsAt;
        GetWindowRect(pane, &paneAt);
        GetWindowRect(rows, &rowsAt);
        return std::string(paneAt.top == rowsAt.bottom                               ? "below"
                           : paneAt.left == rowsAt.right && paneAt.top == rowsAt.top ? "beside"
                                                                                     : "elsewhere");
    };
    EXPECT_EQ(place(), "below") << "as the settings file says";

    // The first row's byte is highlighted: where it starts gives the width of a cell.
    RECT first{};
    require([&] { return (first = highlightIn(pane)).right > 0; }, "a highlight");
    const int cell = first.left / kCellsBeforeHex;
    // Each move, then the status and the byte where the highlight starts on the first line (or a
    // pixel further, where the cursor's frame covers the first).
    const struct {
        std::vector<WORD> keys;  // none: a click on the third byte
        const char* status;
        int byte;
    } steps[] = {{{}, "Offset $1 (1), size 2", 1},
                 {{VK_RIGHT, VK_RIGHT}, "Offset $4 (4), size 3", 4},
                 {{VK_TAB, VK_UP}, "Offset $3 (3), size 1", 3}};
    for (const auto& step : steps) {
        if (step.keys.empty())
            clickAt(pane, {cell * (kCellsBeforeHex + 3 * 2) + cell, (first.bottom - first.top) / 2});
        for (WORD key : step.keys) pressKey(key);
        waitForStatus(step.status);
        const LONG left = cell * (kCellsBeforeHex + 3 * step.byte);
        require([&] { return highlightIn(pane).left == left || highlightIn(pane).left == left + 1; },
                "the highlight at byte " + std::to_string(step.byte));
    }

    chooseMenuItem('V', 'B');
    require([&] { return place() == "beside"; }, "the pane beside the rows");
    EXPECT_EQ(work.text("Sondrix.ini"), "view:bytes=beside\n");
}

}  // namespace
}  // namespace e2e
