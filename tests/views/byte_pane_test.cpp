// The byte pane of a document tab: its lines, the cursor and the current row kept in step, the
// bytes after a change, the looks of current and selected rows' bytes, and its place.
#include "resource_ids.h"
#include "view_fixture.h"
#include "views/document/byte_columns.h"

namespace guitest {
namespace {

// A byte, a big-endian word, a string "hi", then fourteen bytes no row covers.
const char kRows[] = "UBYT DWRD PSTR";
const Bytes kBytes{0x41, 0, 0x42, 2, 'h', 'i', 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};

class BytePaneTest : public ViewTest {
  protected:
    void SetUp() override {
        ViewTest::SetUp();
        MoveWindow(mainWindow, 0, 0, 900, 400, TRUE);
        pumpPending();
    }
    HWND pane() const { return view->Bytes().hwnd; }
    std::string cursorLine() const { return windowText(pane()); }
    void pressInPane(UINT key) { SendMessageA(pane(), WM_KEYDOWN, key, 1); }
    // The byte's cells on a line in view, in the hex column or the text one.
    RECT cellOf(int line, int byte, bool text = false) const {
        ByteColumns columns(0);
        int cell = text ? columns.textCell(byte) : columns.hexCell(byte);
        int top = line * columns.lineHeight();
        return {columns.x(cell), top, columns.x(cell + (text ? 1 : 2)), top + columns.lineHeight()};
    }
    void clickByte(int line, int byte, bool text = false, bool shift = false) {
        RECT cell = cellOf(line, byte, text);
        LPARAM point = MAKELPARAM(cell.left + 1, cell.top + 1);
        SendMessageA(pane(), WM_LBUTTONDOWN, MK_LBUTTON | (shift ? MK_SHIFT : 0), point);
        SendMessageA(pane(), WM_LBUTTONUP, 0, point);
    }
};

bool shows(const Snapshot& painted, uint32_t colour, RECT area) {
    return painted.countOtherThan(colour, area) < (area.right - area.left) * (area.bottom - area.top);
}

TEST_F(BytePaneTest, LinesShowOffsetHexTextAndUnknownBytesAndTheCursorMovesWithTheCurrentRow) {
    open(kRows, kBytes);
    EXPECT_EQ(cursorLine(), "00000000  41 00 42 02 68 69 00 01  02 03 04 05 06 07 08 09  A.B.hi..........");
    pressInPane(VK_END);
    EXPECT_EQ(cursorLine(), "00000010  0A 0B 0C 0D" + std::string(39, ' ') + "....");
    dir.write("data.bin", Bytes(30, 0));  // the rest bytes' source is not the file read any more
    pressInPane(VK_HOME);
    EXPECT_EQ(cursorLine(), "00000000  41 00 42 02 68 69 ?? ??  ?? ?? ?? ?? ?? ?? ?? ??  A.B.hi??????????");

    // Each move, then the current row and the cursor.
    const std::tuple<std::function<void()>, int, int64_t> steps[] = {
        {[&] { press(VK_DOWN); }, 1, 1},        {[&] { press(VK_END); }, 3, 6},
        {[&] { clickByte(0, 2); }, 1, 2},       {[&] { clickByte(0, 4, true); }, 2, 4},
        {[&] { pressInPane(VK_RIGHT); }, 2, 5}, {[&] { pressInPane(VK_RIGHT); }, 3, 6},
        {[&] { pressInPane(VK_DOWN); }, 3, 19}, {[&] { clickByte(1, 0, true); }, 3, 16},
        {[&] { clickByte(1, 4); }, 3, 16},  // past the end: nothing
        {[&] { pressInPane(VK_HOME); }, 0, 0},
    };
    for (const auto& [move, row, cursor] : steps) {
        move();
        EXPECT_EQ(currentRow(), row) << "cursor " << cursor;
        EXPECT_EQ(view->Bytes().Cursor(), cursor) << "row " << row;
    }
    clickByte(0, 1, false, true);
    EXPECT_EQ(selection(), "0 1*");
}

TEST_F(BytePaneTest, EachSideScrollsTheOtherToItsPlace) {
    Bytes bytes{1, 0xF4};  // a count of 500 items of a word
    bytes.resize(2 + 1000, 7);
    open("WCNT LSTC DWRD LSTE", bytes);
    press(VK_END);
    EXPECT_EQ(cursorLine().substr(0, 8), "000003E0");
    EXPECT_GT(view->Bytes().TopLine(), 0);
    pressInPane(VK_HOME);
    EXPECT_EQ(currentRow(), 0);
    EXPECT_EQ(view->scrollOffset, 0);
    pressInPane(VK_NEXT);
    EXPECT_GT(view->scrollOffset, 0) << "the current row comes into view";
}

TEST_F(BytePaneTest, ChangesShowTheirBytes) {
    open("UBYT PSTR", {5, 1, 'a'});
    press(VK_DOWN);
    answerValue([&] { press(VK_RETURN); }, "xyz", true);
    EXPECT_EQ(cursorLine(), "00000000  05 03 78 79 7A" + std::string(36, ' ') + "..xyz");
    SendMessageA(mainWindow, WM_COMMAND, cmdUndo, 0);
    EXPECT_EQ(cursorLine(), "00000000  05 01 61" + std::string(42, ' ') + "..a");
}

TEST_F(BytePaneTest, CurrentRowsBytesAreHighlightedAndSelectedRowsShaded) {
    open("UBYT UBYT UBYT", {1, 2, 3});
    press(VK_DOWN, true);  // rows 0 and 1 selected, row 1 current
    Snapshot painted(pane());
    // Each byte's cells in each column: "s" shaded, "h" highlighted, "-" neither.
    std::string looks;
    for (bool text : {false, true}) {
        for (int byte = 0; byte < 3; ++byte)
            looks += shows(painted, testsupport::rgbOf(selectedByteShade()), cellOf(0, byte, text)) ? 's'
                     : shows(painted, colourOf(COLOR_HIGHLIGHT), cellOf(0, byte, text))             ? 'h'
                                                                                                    : '-';
    }
    EXPECT_EQ(looks, "sh-sh-");
}

TEST_F(BytePaneTest, PaneStandsBesideOrBelowTheRowsAndGoesWithItsTab) {
    open(kRows, kBytes);
    HMENU menu = GetMenu(mainWindow);
    RECT rows = placeOf(view->hwnd);
    EXPECT_TRUE(placedOn(pane(), {rows.right, rows.top, displayArea().right, rows.bottom}));
    EXPECT_TRUE(GetMenuState(menu, IDM_BYTES_BESIDE, MF_BYCOMMAND) & MF_CHECKED);
    SendMessageA(mainWindow, WM_COMMAND, cmdBytesBelow, 0);
    rows = placeOf(view->hwnd);
    EXPECT_TRUE(placedOn(pane(), {rows.left, rows.bottom, rows.right, displayArea().bottom}));
    EXPECT_TRUE(GetMenuState(menu, IDM_BYTES_BELOW, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(menu, IDM_BYTES_BESIDE, MF_BYCOMMAND) & MF_CHECKED);

    HWND first = pane();
    open(kRows, kBytes, "second.bin");
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_TRUE(IsWindowVisible(pane()));
}

}  // namespace
}  // namespace guitest
