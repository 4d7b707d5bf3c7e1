// The document view on its tab: selection by keys and mouse, the status bar, Go to offset, dropped
// files, value edits, list items inserted and deleted, Undo and Redo; and the byte pane beside it.
#include <shlobj.h>

#include <utility>

#include "mainwindow/frame_fixture.h"
#include "resource_ids.h"
#include "views/document/byte_columns.h"
#include "views/document/goto_offset_dialog.h"
#include "views/document/goto_offset_ids.h"

namespace guitest {
namespace {

TEST_F(ViewTest, DocumentOpensOnItsTabWithTheFirstRowSelectedAndCurrentAndAnEmptyOneHasNoRowToActOn) {
    open("DWRD:Width DWRD:Height", {0, 1, 0, 2}, "shape.bin");
    EXPECT_EQ(tabText(0) + "|" + windowText(view->hwnd), "shape.bin|shape.bin");
    EXPECT_EQ(selection(), "0*");
    EXPECT_TRUE(GetClassLongA(view->hwnd, GCL_STYLE) & CS_DBLCLKS) << "a user's double clicks reach it";

    open("", {});
    for (UINT key : {VK_UP, VK_DOWN, VK_RETURN, VK_INSERT, VK_NEXT, VK_END}) press(key);
    click(5);
    click(5, true);
    EXPECT_EQ(view->current, nullptr);
    EXPECT_TRUE(view->document->saved);
    EXPECT_EQ(Snapshot(view->hwnd).countOtherThan(colourOf(COLOR_WINDOW), client()), 0);
}

// After the keys and clicks, each button message (0: the capture taken away by another window), then
// whether the view holds the capture and how many buttons it counts.
TEST_F(ViewTest, KeysAndClicksMoveTheCurrentRowAndTheSelectionAndButtonsShareTheCaptureByCounting) {
    open("DWRD:A DWRD:B DWRD:C DWRD:D", {0, 1, 0, 2, 0, 3, 0, 4});
    // Keys, then clicks (key 0) at y. Up past the first row leaves none current, the next Up starts at
    // the first, and Down likewise at the last; page keys stop at the ends; only Shift keeps the
    // selection. Clicks at the second row's top pixel, the first's bottom one, and below the last row.
    const std::tuple<UINT, int, bool, const char*> steps[] = {
        {VK_UP, 0, false, ""},        {VK_UP, 0, false, "0*"},      {VK_DOWN, 0, true, "0 1*"},
        {VK_DOWN, 0, true, "0 1 2*"}, {VK_DOWN, 0, false, "3*"},    {VK_DOWN, 0, false, ""},
        {VK_DOWN, 0, false, "3*"},    {VK_HOME, 0, false, "0*"},    {VK_END, 0, true, "0 3*"},
        {VK_PRIOR, 0, false, "0*"},   {VK_UP, 0, true, "0"},        {0, h, false, "1*"},
        {0, h - 1, false, "0*"},      {0, 2 * h + 1, true, "0 2*"}, {0, 20 * h, false, "3*"},
        {0, h, true, "1* 3"},
    };
    for (const auto& [key, y, shift, selected] : steps) {
        key ? press(key, shift) : click(y, shift);
        EXPECT_EQ(selection(), selected) << "key " << key << ", y " << y;
    }

    focusTabs();
    const std::tuple<UINT, WPARAM, const char*> buttons[] = {{WM_LBUTTONDOWN, MK_LBUTTON, "captured 1"},
                                                             {WM_RBUTTONDOWN, MK_RBUTTON, "captured 2"},
                                                             {WM_LBUTTONUP, 0, "captured 1"},
                                                             {WM_RBUTTONUP, 0, "free 0"},
                                                             {WM_LBUTTONDOWN, MK_LBUTTON, "captured 1"},
                                                             {0, 0, "free 0"},
                                                             {WM_LBUTTONDOWN, MK_LBUTTON, "captured 1"},
                                                             {WM_LBUTTONUP, 0, "free 0"}};
    for (const auto& [message, held, after] : buttons) {
        if (!message) SetCapture(mainWindow);
        SendMessageA(view->hwnd, message, held, 0);
        EXPECT_EQ((GetCapture() == view->hwnd ? "captured " : "free ") + std::to_string(view->captureCount),
                  after)
            << message;
        if (!message) ReleaseCapture();
        EXPECT_EQ(GetFocus(), view->hwnd);
    }
}

// The longest answer Go to offset gives, for the largest document there can be, shows whole.
TEST_F(MainFrameTest, GoToOffsetShowsItsLongestMessageWhole) {
    int64_t offset = 0;
    std::string shown;
    driveModal("Go to offset", [&] { askOffset(mainWindow, &offset, INT64_MAX); },
               {[](HWND dialog) {
                    SetDlgItemTextA(dialog, IDC_GOTO_EDIT, "99999999999999999999999");
                    clickButton(dialog, IDOK);
                },
                [&](HWND dialog) {
                    shown = windowText(GetDlgItem(dialog, IDC_GOTO_PROMPT)) + "|" + hiddenText(dialog);
                    clickButton(dialog, IDCANCEL);
                }});
    EXPECT_EQ(shown, "That offset is past the end: the document has 9223372036854775807 bytes.|");
}

// The status bar: the current row's offset, size, code and item, and the document's size, after moves,
// Go to offset and changes.
TEST_F(ViewTest, TheStatusBarFollowsTheCurrentRowWhichGoToOffsetMovesToTheRowHoldingAByte) {
    open("PSTR:Name BCNT:N LSTC:Item DWRD:V LSTE:End", {1, 'a', 2, 0, 1, 0, 2});
    auto status = [this] {  // its parts, "|" between
        std::string text;
        for (int part = 0; part < 4; ++part) {
            char buffer[128] = "";
            SendMessageA(frame->hwndStatus, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(buffer));
            text += (part ? "|" : "") + std::string(buffer);
        }
        return text;
    };
    // Go to offset with each text typed in turn; the prompt each answer left, "|" between.
    auto goTo = [this](std::vector<const char*> texts) {
        std::string prompts;
        std::vector<DialogStep> steps;
        for (const char* text : texts)
            steps.push_back([text, &prompts](HWND dialog) {
                prompts += windowText(GetDlgItem(dialog, IDC_GOTO_PROMPT)) + "|" + hiddenText(dialog);
                SetDlgItemTextA(dialog, IDC_GOTO_EDIT, text);
                PostMessageA(dialog, WM_COMMAND, *text ? IDOK : IDCANCEL, 0);
            });
        driveModal(
            "Go to offset", [this] { SendMessageA(view->hwnd, WM_COMMAND, cmdGoToOffset, 0); }, steps);
        return prompts;
    };
    EXPECT_EQ(status(), "Offset $0 (0), size 2|PSTR||7 bytes, 7 rows");
    for (int i = 0; i < 5; ++i) press(VK_DOWN);
    EXPECT_EQ(status(), "Offset $5 (5), size 2|DWRD|Item [1]|7 bytes, 7 rows");
    press(VK_END);
    EXPECT_EQ(status(), "Offset $7 (7), size 0|LSTE||7 bytes, 7 rows");

    EXPECT_EQ(goTo({"$6"}), "Byte offset (decimal, or hexadecimal after $ or 0x):|");
    EXPECT_EQ(selection(), "5*");
    EXPECT_EQ(view->Bytes().Cursor(), 6);  // on the byte, not at its row's start
    // Offsets past 64 bits are past the end too, not wrapped onto a byte ($1ffffffffffffffff onto $ff..).
    EXPECT_EQ(goTo({"7", "99999999999999999999999", "$1ffffffffffffffff", "x", "0x3"}),
              "Byte offset (decimal, or hexadecimal after $ or 0x):|"
              "That offset is past the end: the document has 7 bytes.|"
              "That offset is past the end: the document has 7 bytes.|"
              "That offset is past the end: the document has 7 bytes.|"
              "That is no offset: type 26, $1A or 0x1A.|");
    EXPECT_EQ(selection(), "3*");  // the first row holding the byte, not the header before it
    EXPECT_EQ(view->Bytes().Cursor(), 3);
    goTo({""});
    EXPECT_EQ(currentRow(), 3);

    press(VK_HOME);
    answerValue([this] { press(VK_RETURN); }, "abcdefghijklm", true);
    EXPECT_EQ(status(), "Offset $0 (0), size 14|PSTR||19 bytes, 7 rows");
    press({VK_END, VK_UP, VK_UP, VK_INSERT});  // before the second item
    EXPECT_EQ(status(), "Offset $13 (19), size 0|LSTC|Item [2]|21 bytes, 9 rows");
    press(VK_DOWN);
    EXPECT_EQ(status(), "Offset $13 (19), size 2|DWRD|Item [2]|21 bytes, 9 rows");
    press({VK_UP, VK_DELETE});
    EXPECT_EQ(status(), "Offset $13 (19), size 0|LSTE||19 bytes, 7 rows");

    openView("plain");  // a view on another tab clears it
    EXPECT_EQ(status(), "|||");
}

// Each file opens on a tab of its own with the template its extension names, which the selection
// dialog, titled with that file's name, preselects for OK.
TEST_F(ViewTest, DroppedFilesOpenOneTabEachWithTheTemplateTheirExtensionNamesPreselected) {
    addLibraryTemplate("first.tmpl", "DWRD");
    addLibraryTemplate("PNG.tmpl", "UBYT:Byte");
    dir.write("a.png", Bytes{7});
    dir.write("b.x.Png", Bytes{9});
    // The files as the shell hands them over.
    const std::string paths = dir.path("a.png") + '\0' + dir.path("b.x.Png") + '\0';
    const std::wstring names(paths.begin(), paths.end());
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    *files = DROPFILES{sizeof(DROPFILES), {}, FALSE, TRUE};
    names.copy(reinterpret_cast<wchar_t*>(files + 1), names.size());
    GlobalUnlock(drop);
    EXPECT_EQ(driveModals([&] { SendMessageA(mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0); },
                          {{"Template for a.png", clicking(IDOK)}, {"Template for b.x.Png", clicking(IDOK)}}),
              2u);
    ASSERT_EQ(frame->count, 2);
    EXPECT_EQ(tabText(0) + "|" + tabText(1), "a.png|b.x.Png");
    for (int i : {0, 1})
        EXPECT_EQ(describe(static_cast<TfrmDocument*>(frame->entries[i]->view)->document),
                  i ? "UBYT 9" : "UBYT 7");
}

// Saving in place over a file that another program wrote since it was opened asks first.
TEST_F(ViewTest, SaveOverAFileChangedOnDiskAsksAndWritesOnlyOnYes) {
    open("DWRD:Width DWRD:Height", {0, 42, 0, 7}, "shape.bin");
    answerValue([this] { press(VK_RETURN); }, "5", true);
    dir.write("shape.bin", Bytes{1, 2, 3});
    // The question, if any, answered by the button; then the tab.
    auto save = [this](int button) {
        const std::string asked = commandAnswered(cmdSave, {button});
        return asked + tabText(0);
    };
    const std::string question = "shape.bin has changed on disk since it was opened. Save over it?|";
    EXPECT_EQ(save(IDNO), question + "shape.bin [*]");
    EXPECT_EQ(dir.read("shape.bin"), (Bytes{1, 2, 3}));
    EXPECT_EQ(save(IDYES), question + "shape.bin");
    EXPECT_EQ(dir.read("shape.bin"), (Bytes{0, 5, 0, 7}));
    EXPECT_EQ(save(IDYES), "shape.bin") << "the file is the one saved now";
}

// Undo, Redo, Delete item and Go to offset on the Edit menu as "urdg", upper case when enabled.
std::string editMenu(HWND mainWindow) {
    HMENU edit = GetSubMenu(GetMenu(mainWindow), 1);
    SendMessageA(mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    std::string text;
    for (auto [id, letter] :
         {std::pair{cmdUndo, 'u'}, {cmdRedo, 'r'}, {cmdDeleteItem, 'd'}, {cmdGoToOffset, 'g'}})
        text += GetMenuState(edit, id, MF_BYCOMMAND) & MF_GRAYED ? letter : static_cast<char>(letter - 32);
    return text;
}

const char* const kList = "BCNT:N LSTC:Item DWRD:V LSTE:End";

// A value dialog's prompt and whatever else it says, added to the text.
DialogStep promptInto(std::string& seen) {
    return [&seen](HWND dialog) {
        seen += windowText(GetDlgItem(dialog, IDC_QUERY_PROMPT)) + "|" + hiddenText(dialog);
    };
}

// Types the text into a value dialog and confirms it.
DialogStep type(const char* text) {
    return [text](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_QUERY_EDIT, text);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
}
const Bytes kTwoItems{2, 0, 1, 0, 2};

TEST_F(ViewTest, EnterAndDoubleClickEditTheValueOfADataRowAndMarkTheCaption) {
    open("DWRD:Width DWRD:Height", {0, 42, 0, 7}, "shape.bin");
    press(VK_DOWN);
    auto enter = [this] { press(VK_RETURN); };
    EXPECT_EQ(answerValue(enter, "-5", false), "7");
    EXPECT_EQ(state(), "DWRD 42;DWRD 7 (1*) shape.bin");
    EXPECT_EQ(answerValue(enter, "-5", true), "7");
    EXPECT_EQ(state(), "DWRD 42;DWRD -5 (1*) shape.bin [*]");

    // A double click selects only its row, and edits it.
    press(VK_UP, true);
    EXPECT_EQ(answerValue([this] { doubleClick(h); }, "9", true), "-5");
    EXPECT_EQ(state(), "DWRD 42;DWRD 9 (1*) shape.bin [*]");

    // Text of any length, or none, is taken whole.
    open("WSTR", {0, 0});
    const std::string longText(1000, '7');
    EXPECT_EQ(answerValue(enter, longText.c_str(), true), "");
    EXPECT_EQ(answerValue(enter, "", true), longText);
    EXPECT_EQ(rows(), "WSTR");

    // A count is not edited.
    open(kList, kTwoItems);
    EXPECT_EQ(answerValue(enter, "3", true), "(no dialog)");
    EXPECT_EQ(answerValue([this] { doubleClick(0); }, "3", true), "(no dialog)");
    EXPECT_EQ(state(), "BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (0*) data.bin");
}

// A key edited to another case lays the rows out anew: the row at the same place stays current, and
// Undo and Redo go back and forth between the layouts.
TEST_F(ViewTest, AKeyEditedToAnotherCaseShowsTheRowsAnewAtTheSamePlace) {
    open("KEYB KUBT CASE:1 UBYT CASE:2 UWRD KEYE UBYT", {1, 5, 6, 7}, "keyed.bin");
    EXPECT_EQ(answerValue([this] { press(VK_RETURN); }, "2", true), "1");
    EXPECT_EQ(state(), ".KUBT 2;CASE 2;.UWRD 1286;UBYT 7 (0*) keyed.bin [*]");
    SendMessageA(view->hwnd, WM_COMMAND, cmdUndo, 0);
    EXPECT_EQ(state(), ".KUBT 1;CASE 1;.UBYT 5;UBYT 6;REST 1 (0*) keyed.bin");
    SendMessageA(view->hwnd, WM_COMMAND, cmdRedo, 0);
    EXPECT_EQ(state(), ".KUBT 2;CASE 2;.UWRD 1286;UBYT 7 (0*) keyed.bin [*]");
}

// A number's dialog names the row and its range; text that is no number keeps it open, the reason
// above the prompt, until a number comes. A caption too long for a line wraps, all of it shown.
TEST_F(ViewTest, NumberDialogRefusesTextThatIsNoNumberAndStaysOpenUntilANumberComes) {
    const std::string longCaption = "Flags" + std::string(120, 'f');
    open("UWRD:Width HBYT:" + longCaption, {0, 7, 9});
    std::string seen;
    const DialogStep look = promptInto(seen);
    const std::vector<DialogStep> steps{look, type("abc"), look, type(" "), look, type("70000"), look};
    EXPECT_EQ(driveModal(
                  UIStrings[usEnterValueTitle], [this] { press(VK_RETURN); }, steps),
              steps.size() - 1);
    const std::string refused =
        "That is no number: type digits, with - before a negative one.\nWidth (0 to 65535)|";
    EXPECT_EQ(seen, "Width (0 to 65535)|" + refused + refused);
    EXPECT_EQ(state(), "UWRD 65535;HBYT $09 (0*) data.bin [*]");

    press(VK_DOWN);
    seen.clear();
    driveModal(UIStrings[usEnterValueTitle], [this] { press(VK_RETURN); },
               {look, type("12xyz"), look, clicking(IDCANCEL)});
    EXPECT_EQ(seen, longCaption + " ($00 to $ff)|" +
                        "That is no number: type hexadecimal digits, after $ or 0x if you like.\n" +
                        longCaption + " ($00 to $ff)|");
    EXPECT_EQ(rows(), "UWRD 65535;HBYT $09");
}

// A float's dialog asks for a decimal number and refuses the rest, as a number's does; a 64-bit
// row takes its whole range.
TEST_F(ViewTest, FloatAndSixtyFourBitDialogsTakeTheirNumbersAndRefuseTextThatIsNone) {
    open("EXTD:Rate UQWD:Big", {0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    std::string seen;
    const DialogStep look = promptInto(seen);
    const std::vector<DialogStep> steps{look, type("1,5"), look, type("-2.205e4")};
    driveModal(
        UIStrings[usEnterValueTitle], [this] { press(VK_RETURN); }, steps);
    EXPECT_EQ(seen, std::string("Rate (a decimal number)|") + UIStrings[usNotFloatNumber] +
                        "\nRate (a decimal number)|");
    EXPECT_EQ(state(), "EXTD -22050;UQWD 0 (0*) data.bin [*]");

    press(VK_DOWN);
    auto enter = [this] { press(VK_RETURN); };
    EXPECT_EQ(answerValue(enter, "18446744073709551615", true), "0");
    EXPECT_EQ(rows(), "EXTD -22050;UQWD 18446744073709551615");
}

TEST_F(ViewTest, EnterAndInsertOnListRowsAddAnItemAndDataRowsGetNone) {
    // The current row, the key, the state after it.
    const std::tuple<int, UINT, const char*> cases[] = {
        // At the first header the new item comes first; the header stays current.
        {1, VK_RETURN, "BCNT 3;LSTC #0;.DWRD 0;LSTC #1;.DWRD 1;LSTC #2;.DWRD 2;LSTE (1*) data.bin [*]"},
        // At the end the new item comes last; the end row moves down with the new rows.
        {5, VK_INSERT, "BCNT 3;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTC #2;.DWRD 0;LSTE (7*) data.bin [*]"},
        {2, VK_INSERT, "BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (2*) data.bin"}};
    for (const auto& [at, key, after] : cases) {
        open(kList, kTwoItems);
        for (int i = 0; i < at; ++i) press(VK_DOWN);
        press(key);
        EXPECT_EQ(state(), after);
    }
    // Undoing an insertion below the current row keeps it current: the end row, moved up again.
    open(kList, kTwoItems);
    press({VK_END, VK_INSERT});
    SendMessageA(view->hwnd, WM_COMMAND, cmdUndo, 0);
    EXPECT_EQ(state(), "BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (5*) data.bin");
    // A refused insertion or deletion says why, and changes nothing.
    open("LSTB:Item UBYT LSTE", {5, 0});
    EXPECT_EQ(answered([this] { press(VK_INSERT); }, {IDOK}), "An item of zeros would end this list.|");
    press({VK_DOWN, VK_DOWN});
    EXPECT_EQ(answered([this] { press(VK_DELETE); }, {IDOK}), "The item of zeros ends this list.|");
    EXPECT_EQ(state(), "LSTB #0;.UBYT 5;LSTB #1;.UBYT 0;LSTE (2*) data.bin");
}

// Each action on the list, from the third row: the Edit menu, then the state.
TEST_F(ViewTest, DeleteTakesTheItemOfAHeaderAndUndoRedoFollowTheCaption) {
    EXPECT_EQ(editMenu(mainWindow), "urdg");  // no tab
    open(kList, kTwoItems, "list.bin");
    press({VK_DOWN, VK_DOWN});
    // A key, else a command.
    const std::tuple<UINT, int, const char*> steps[] = {
        {VK_DELETE, 0, "urdG BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (2*) list.bin"},  // a data row
        {VK_UP, 0, "urDG BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (1*) list.bin"},
        {VK_DELETE, 0, "UrDG BCNT 1;LSTC #0;.DWRD 2;LSTE (1*) list.bin [*]"},
        {0, cmdUndo, "uRDG BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (1*) list.bin"},
        {0, cmdRedo, "UrDG BCNT 1;LSTC #0;.DWRD 2;LSTE (1*) list.bin [*]"},
        {0, cmdDeleteItem, "UrdG BCNT 0;LSTC #0;LSTE (1*) list.bin [*]"},  // the list is empty
        {0, cmdUndo, "URDG BCNT 1;LSTC #0;.DWRD 2;LSTE (1*) list.bin [*]"},
        {0, cmdUndo, "uRDG BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (1*) list.bin"},
        {0, cmdUndo, "uRDG BCNT 2;LSTC #0;.DWRD 1;LSTC #1;.DWRD 2;LSTE (1*) list.bin"},  // nothing left
    };
    for (const auto& [key, command, after] : steps) {
        key ? press(key) : static_cast<void>(SendMessageA(view->hwnd, WM_COMMAND, command, 0));
        EXPECT_EQ(editMenu(mainWindow) + " " + state(), after) << "key " << key << ", command " << command;
    }
    // The tab shrinks with its text, shown with the mark and then without (a name wider than a tab's
    // least width): nothing of the mark may stay on the screen beside it.
    open(kList, kTwoItems, "a name wider than the least.bin");
    press({VK_DOWN, VK_DELETE});
    pumpPending();
    SendMessageA(view->hwnd, WM_COMMAND, cmdUndo, 0);
    pumpPending();
    const Snapshot shown = onScreen(frame->hwndTabs);
    InvalidateRect(frame->hwndTabs, nullptr, TRUE);
    UpdateWindow(frame->hwndTabs);
    RECT tabs{0, 0, shown.width(), displayArea().top};
    EXPECT_EQ(shown.countDifferent(onScreen(frame->hwndTabs), tabs), 0);
}

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

TEST_F(BytePaneTest, LinesShowOffsetHexTextUnknownBytesAndChangesAndTheCursorMovesWithTheCurrentRow) {
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

    open("UBYT PSTR", {5, 1, 'a'});
    press(VK_DOWN);
    answerValue([&] { press(VK_RETURN); }, "xyz", true);
    EXPECT_EQ(cursorLine(), "00000000  05 03 78 79 7A" + std::string(36, ' ') + "..xyz");
    SendMessageA(mainWindow, WM_COMMAND, cmdUndo, 0);
    EXPECT_EQ(cursorLine(), "00000000  05 01 61" + std::string(42, ' ') + "..a");
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

TEST_F(BytePaneTest, CurrentRowsBytesAreHighlightedAndSelectedRowsShaded) {
    open("UBYT UBYT UBYT", {1, 2, 3});
    press(VK_DOWN, true);  // rows 0 and 1 selected, row 1 current
    Snapshot painted(pane());
    // Each byte's cells in each column: "s" shaded, "h" highlighted, "-" neither.
    std::string looks;
    for (bool text : {false, true})
        for (int byte = 0; byte < 3; ++byte)
            looks += shows(painted, testsupport::rgbOf(selectedByteShade()), cellOf(0, byte, text)) ? 's'
                     : shows(painted, colourOf(COLOR_HIGHLIGHT), cellOf(0, byte, text))             ? 'h'
                                                                                                    : '-';
    EXPECT_EQ(looks, "sh-sh-");
}

TEST_F(BytePaneTest, PaneStandsBesideOrBelowTheRowsAndGoesWithItsTab) {
    open(kRows, kBytes);
    HMENU menu = GetMenu(mainWindow);
    RECT rows = placeOf(view->hwnd), area = displayArea();  // the rows and their bytes share the tab
    EXPECT_TRUE(placedOn(view->hwnd, {area.left, area.top, rows.right, area.bottom}));
    EXPECT_TRUE(placedOn(pane(), {rows.right, area.top, area.right, area.bottom}));
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

// Moving the pane leaves on the screen just what painting everything anew would: nothing the rows or
// the bytes showed in their old places.
TEST_F(BytePaneTest, MovingThePaneLeavesNoStaleTextBehind) {
    open(kRows, kBytes);
    for (int place : {cmdBytesBelow, cmdBytesBeside}) {
        SendMessageA(mainWindow, WM_COMMAND, place, 0);
        pumpPending();
        const Snapshot moved = onScreen(mainWindow);
        RedrawWindow(mainWindow, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_EQ(moved.countDifferent(onScreen(mainWindow), {0, 0, moved.width(), moved.height()}), 0)
            << place;
    }
}

}  // namespace
}  // namespace guitest
