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

// What a window shows on the screen, in 0x00RRGGBB pixels.
class ScreenShot {
  public:
    explicit ScreenShot(HWND window) {
        RECT client;
        GetClientRect(window, &client);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        width_ = client.right;
        height_ = client.bottom;
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        uint32_t* pixels = nullptr;
        HBITMAP bitmap = testsupport::createPixelBitmap(dc, width_, height_, &pixels);
        HGDIOBJ old = SelectObject(dc, bitmap);
        BitBlt(dc, 0, 0, width_, height_, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        pixels_.assign(pixels, pixels + width_ * height_);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    // The box around the pixels of the colour; empty when there are none.
    RECT boxOf(uint32_t colour) const {
        RECT box{width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if ((pixels_[y * width_ + x] & 0xFFFFFF) != colour) continue;
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                       std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
            }
        }
        return box;
    }

  private:
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};

uint32_t highlightColour() {
    COLORREF colour = GetSysColor(COLOR_HIGHLIGHT);
    return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

// The left button pressed and released at a point of the window, through the input queue.
void clickAt(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

class BytePaneTest : public SondrixTest {
  protected:
    void SetUp() override {
        SondrixTest::SetUp();
        work.write("TMPL\\pair.tmpl", templateFile({{"UBYT", "Tag"}, {"UWRD", "Value"}, {"UBYT", "Flag"}}));
        work.write("data.bin", testsupport::Bytes{1, 2, 3, 4, 5, 6, 7});
        const std::string settings = "view:bytes=below\n";
        work.write("Sondrix.ini", testsupport::Bytes(settings.begin(), settings.end()));
    }
    // The highlighted bytes of the pane, once they start at the hex pair of the byte on the first line
    // (or a pixel further, where the cursor's frame covers the first).
    void waitForHighlightAt(HWND pane, int cell, int byte) {
        const LONG left = cell * (kCellsBeforeHex + 3 * byte);
        require(
            [&] {
                LONG found = ScreenShot(pane).boxOf(highlightColour()).left;
                return found == left || found == left + 1;
            },
            "the highlight at byte " + std::to_string(byte));
    }
};

TEST_F(BytePaneTest, ClicksAndKeysMoveTheCursorAndTheCurrentRowTogether) {
    startProgram("data.bin PAIR");
    HWND rows = waitForView("TfrmDocument");
    HWND pane = childrenOf(mainWindow, "TBytePane").at(0);
    waitForText(pane, "00000000  01 02 03 04 05 06 07" + std::string(30, ' ') + ".......");
    RECT paneAt, rowsAt;
    GetWindowRect(pane, &paneAt);
    GetWindowRect(rows, &rowsAt);
    EXPECT_EQ(paneAt.top, rowsAt.bottom) << "below the rows, as the settings file says";

    // The first row's byte is highlighted: where it starts gives the width of a cell.
    RECT first{};
    require([&] { return (first = ScreenShot(pane).boxOf(highlightColour())).right > 0; }, "a highlight");
    const int cell = first.left / kCellsBeforeHex;
    const int line = first.bottom - first.top;
    clickAt(pane, cell * (kCellsBeforeHex + 3 * 2) + cell, line / 2);
    waitForStatus("Offset $1 (1), size 2");
    waitForHighlightAt(pane, cell, 1);
    pressKey(VK_RIGHT);
    pressKey(VK_RIGHT);
    waitForStatus("Offset $4 (4), size 3");
    waitForHighlightAt(pane, cell, 4);
    pressKey(VK_TAB);
    pressKey(VK_UP);
    waitForStatus("Offset $3 (3), size 1");
    waitForHighlightAt(pane, cell, 3);

    chooseMenuItem('V', 'B');
    require(
        [&] {
            GetWindowRect(pane, &paneAt);
            GetWindowRect(rows, &rowsAt);
            return paneAt.left == rowsAt.right && paneAt.top == rowsAt.top;
        },
        "the pane beside the rows");
    testsupport::Bytes settings = work.read("Sondrix.ini");
    EXPECT_EQ(std::string(settings.begin(), settings.end()), "view:bytes=beside\n");
}

}  // namespace
}  // namespace e2e
