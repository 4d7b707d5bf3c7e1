// The document view on a list whose items fold: keys, clicks, the thumb, the wheel, Go to offset, Find
// and the byte pane go, show and paint as on the same list bound whole, binding only what they show.
#include <utility>

#include "document/folds.h"
#include "mainwindow/frame_fixture.h"
#include "resource_ids.h"
#include "views/document/byte_columns.h"
#include "views/document/find_dialog_ids.h"
#include "views/document/goto_offset_ids.h"

namespace guitest {
namespace {

constexpr const char* kRecords = "LCNT:Records LSTC:Record DWRD:Id PSTR:Name LSTE:Records";
constexpr int kRecordCount = 400;

// A count and records of an id and a name of 0 to 9 letters, so that items differ in size.
Bytes records() {
    Bytes bytes{0, 0, kRecordCount >> 8, kRecordCount & 0xFF};
    for (int i = 0; i < kRecordCount; ++i) {
        bytes.insert(bytes.end(), {static_cast<unsigned char>(i >> 8), static_cast<unsigned char>(i),
                                   static_cast<unsigned char>(i % 10)});
        for (int c = 0; c < i % 10; ++c) bytes.push_back(static_cast<unsigned char>('a' + (i + c) % 26));
    }
    return bytes;
}

class FoldedViewTest : public ViewTest {
  protected:
    void pressTimes(UINT key, int times) {
        for (int i = 0; i < times; ++i) press(key);
    }
    HWND pane() const { return view->Bytes().hwnd; }
    void pressInPane(UINT key) { SendMessageA(pane(), WM_KEYDOWN, key, 1); }
    void clickByte(int line, int byte) {
        ByteColumns columns(0);
        LPARAM point = MAKELPARAM(columns.x(columns.hexCell(byte)) + 1, line * columns.lineHeight() + 1);
        SendMessageA(pane(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageA(pane(), WM_LBUTTONUP, 0, point);
    }
    void thumbToMiddle(HWND window) {
        SCROLLINFO bar{sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(window, SB_VERT, &bar);
        SetScrollPos(window, SB_VERT, bar.nMax / 2, FALSE);
        SendMessageA(window, WM_VSCROLL, SB_THUMBPOSITION, 0);
    }
    // The command's dialog answered with the text, and the choice when one is given.
    void answer(const char* title, int command, int edit, const char* text, int choice = 0) {
        driveModal(title, [=] { SendMessageA(view->hwnd, WM_COMMAND, command, 0); }, {[=](HWND dialog) {
                       SetDlgItemTextA(dialog, edit, text);
                       if (choice) CheckRadioButton(dialog, IDC_FIND_TEXT, IDC_FIND_BYTES, choice);
                       PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                   }});
    }
    // The status bar's parts, where the current row and the two windows stand, and the pane's cursor.
    std::string where() const {
        std::string text;
        for (int part = 0; part < 4; ++part) {
            char buffer[128] = "";
            SendMessageA(frame->hwndStatus, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(buffer));
            text += buffer + std::string("|");
        }
        return text + "top " + std::to_string(view->CurrentSpot().top) + ", scrolled " +
               std::to_string(view->scrollOffset) + ", cursor " + std::to_string(view->Bytes().Cursor()) +
               ", pane line " + std::to_string(view->Bytes().TopLine());
    }

    struct Seen {
        std::string where;
        Snapshot rows;
        Snapshot bytes;
    };
    // Opens the records, folded when foldAbove is small, and takes every step in turn.
    std::vector<Seen> walk(const std::vector<std::pair<const char*, std::function<void()>>>& steps,
                           int64_t foldAbove) {
        open(kRecords, records(), "records.bin", foldAbove);
        std::vector<Seen> seen;
        for (const auto& step : steps) {
            step.second();
            seen.push_back({where(), Snapshot(view->hwnd), Snapshot(pane())});
        }
        return seen;
    }
};

TEST_F(FoldedViewTest, FoldedItemsShowAsTheListBoundWholeAndBindOnlyWhenShown) {
    const std::vector<std::pair<const char*, std::function<void()>>> steps{
        {"opened", [] {}},
        {"End", [&] { press(VK_END); }},
        {"Up into the fold", [&] { pressTimes(VK_UP, 4); }},
        {"Page Up", [&] { press(VK_PRIOR); }},
        {"Home", [&] { press(VK_HOME); }},
        {"Down into the fold", [&] { pressTimes(VK_DOWN, 5); }},
        {"Page Down", [&] { pressTimes(VK_NEXT, 2); }},
        {"thumb to the middle", [&] { thumbToMiddle(view->hwnd); }},
        {"click", [&] { click(3 * h + 1); }},
        {"wheel", [&] { wheel(-3 * WHEEL_DELTA); }},
        {"Go to offset", [&] { answer("Go to offset", cmdGoToOffset, IDC_GOTO_EDIT, "2000"); }},
        {"find a number", [&] { answer("Find", cmdFind, IDC_FIND_EDIT, "300", IDC_FIND_NUMBER); }},
        {"find it again, round the end", [&] { SendMessageA(view->hwnd, WM_COMMAND, cmdFindNext, 0); }},
        {"pane End", [&] { pressInPane(VK_END); }},
        {"pane Page Up", [&] { pressInPane(VK_PRIOR); }},
        {"pane thumb to the middle", [&] { thumbToMiddle(pane()); }},
        {"pane click", [&] { clickByte(2, 5); }},
        {"pane Down", [&] { pressInPane(VK_DOWN); }},
        {"fonts applied", [&] { view->FontsChanged(); }},
        {"End again", [&] { press(VK_END); }},
        {"insert at the end", [&] { press(VK_INSERT); }},
        {"undo", [&] { SendMessageA(view->hwnd, WM_COMMAND, cmdUndo, 0); }},
        {"Page Up after the undo", [&] { press(VK_PRIOR); }},
    };
    const std::vector<Seen> folded = walk(steps, 2);
    ASSERT_GT(foldCount(view->document), 1) << "the items shown stand between folds";
    const int64_t foldedInstances = view->document->instanceCount;
    const std::vector<Seen> whole = walk(steps, kFoldItemsAbove);
    ASSERT_EQ(foldCount(view->document), 0);
    EXPECT_LT(foldedInstances * 2, view->document->instanceCount);

    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(folded[i].where, whole[i].where) << steps[i].first;
        const RECT rows{0, 0, whole[i].rows.width(), whole[i].rows.height()};
        EXPECT_EQ(folded[i].rows.countDifferent(whole[i].rows, rows), 0) << steps[i].first;
        const RECT bytes{0, 0, whole[i].bytes.width(), whole[i].bytes.height()};
        EXPECT_EQ(folded[i].bytes.countDifferent(whole[i].bytes, bytes), 0) << steps[i].first;
    }
}

// Paging through the list binds each screen of items, and folds those scrolled past again.
TEST_F(FoldedViewTest, ItemsScrolledPastFoldAgain) {
    open(kRecords, records(), "records.bin", 2);
    pressTimes(VK_NEXT, 60);
    const std::string folded = where();
    EXPECT_LT(view->document->instanceCount, 100) << "a screen of rows and the folds around it, not every screen paged through";
    open(kRecords, records(), "records.bin", kFoldItemsAbove);
    pressTimes(VK_NEXT, 60);
    EXPECT_EQ(folded, where());
}

// Binding needs the file as it was counted; the rows of a fold that cannot be bound any more show
// empty, and keys pass over them.
TEST_F(FoldedViewTest, RowsOfAFoldWhoseFileChangedShowEmptyAndArePassedOver) {
    open(kRecords, records(), "records.bin", 2);
    dir.write("records.bin", Bytes(10, 0));
    press(VK_END);
    RECT above = client();
    above.bottom -= h;
    EXPECT_EQ(Snapshot(view->hwnd).countOtherThan(colourOf(COLOR_WINDOW), above), 0);
    // Up from the end row: the last row bound before the fold (the first screen bound a few).
    int64_t foldTop = 0;
    FieldInstance* fold = view->document->first;
    for (; !isFoldInstance(fold); fold = fold->next) foldTop += fold->height;
    press(VK_UP);
    EXPECT_EQ(view->current, fold->previous);
    EXPECT_EQ(view->CurrentSpot().top, foldTop - h);
}

}  // namespace
}  // namespace guitest
