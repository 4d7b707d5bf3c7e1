// The template editor: opening, painting, mouse, keys, scrolling and saving; the template list,
// selection and field dialogs, answered through their controls.
#include <array>
#include <cstring>

#include "mainwindow/frame_fixture.h"
#include "resource_ids.h"
#include "views/template/template_field_dialog.h"
#include "views/template/template_list_dialog.h"
#include "views/template/template_list_dialog_ids.h"
#include "views/template/template_select_dialog.h"

namespace guitest {
namespace {

class EditorTest : public ViewTest {
  protected:
    // The top of a row, as a click there gives it.
    int rowY(int32_t row) const { return (row - editor->topRow) * tmNormal.height + 1; }
    Snapshot painted() const {
        return Snapshot(editor->hwnd, [this](HDC dc) { editor->Paint(dc); });
    }
    // The middle of a row, right of any text.
    static uint32_t background(const Snapshot& s, int row) {
        return s.at(s.width() - 3, row * tmNormal.height + 5);
    }
    // The leftmost (or rightmost) x in [from, to) where the row's inside is not the window colour.
    static int ink(const Snapshot& s, int row, int from, int to = -1, bool leftmost = true) {
        const int top = row * tmNormal.height;
        return s.ink({from, top + 1, to < 0 ? s.width() - 3 : to, top + tmNormal.height - 1}, leftmost);
    }
    // "caret: first-last" of the selection; only the caret when the selection is its row alone.
    std::string caret() const {
        const std::string at = std::to_string(editor->caretRow);
        if (editor->selStart == editor->caretRow && editor->selEnd == editor->caretRow) return at;
        return at + ": " + std::to_string(editor->selStart) + "-" + std::to_string(editor->selEnd);
    }
    // Presses the key (with Shift) while the field dialog is answered by the step; how many dialogs came.
    size_t pressAnswered(WPARAM key, DialogStep answer, bool shift = false) {
        return driveModal("Edit field:", [&] { press(key, shift); }, {std::move(answer)});
    }
    // The rows, each its depth in dots, its code and ">n" for its partner row; the tab's text; the caret.
    std::string editorState() const {
        std::string text;
        for (int32_t i = 0; i < editor->templ->fieldCount; ++i) {
            const TemplateField* field = editor->templ->fields[i];
            text += (i ? " " : "") + std::string(field->depth, '.') + std::string(field->code, 4);
            if (field->partner) text += ">" + std::to_string(editor->templ->indexOf(field->partner, -1));
        }
        return text + "|" + tabText(frame->count - 1) + "|" + std::to_string(editor->caretRow);
    }
    Template* select(DialogStep step) {
        Template* choice = nullptr;
        EXPECT_EQ(
            driveModal("Select a template:", [&] { choice = SelectTemplate(mainWindow); }, {std::move(step)}),
            1u);
        return choice;
    }
    // The codes of the editor the list dialog opened, or "none"; every step must find the dialog shown.
    std::string listAndOpen(std::vector<DialogStep> steps) {
        const int32_t before = frame->count;
        EXPECT_EQ(driveModal(
                      "Templates:", [&] { ShowTemplateList(frame); }, steps),
                  steps.size());
        if (frame->count == before) return "none";
        return codesOf(*static_cast<TfrmTemplate*>(frame->CurrentEntry()->view)->templ);
    }
};

TEST_F(EditorTest, OpensOnItsOwnCloneOnATabNamedAfterItWithNumbersAndCodesAndCaptionsIndentedByDepth) {
    Template* source =
        addLibraryTemplate("nested.tmpl", "LSTB:row0 LSTB:row1 LSTE LSTE:" + std::string(150, 'w'));
    ASSERT_NE(openEditor(source), nullptr);
    EXPECT_NE(editor->templ, source);
    EXPECT_EQ(editorState(), "LSTB>3 .LSTB>2 .LSTE>1 LSTE>0|nested.tmpl|0");
    EXPECT_TRUE(placedOn(editor->hwnd, displayArea()));
    frame->OpenTemplateEditor(nullptr);
    EXPECT_EQ(frame->count, 1);
    click(rowY(5));  // the selection below the rows
    const int codeX = editor->numberWidth + 8;
    const int captionX = codeX + editor->codeWidth;
    Snapshot canvas = painted();
    const int codeStart = ink(canvas, 0, editor->numberWidth + 1);
    const int captionStart = ink(canvas, 0, captionX);
    ASSERT_TRUE(codeStart >= codeX && codeStart < codeX + 3) << codeStart;
    const int codeIndent[] = {0, 8, 8, 0};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(ink(canvas, row, editor->numberWidth + 1), codeStart + codeIndent[row]) << "row " << row;
        const int numberEnd = ink(canvas, row, 0, codeX, false);
        EXPECT_TRUE(numberEnd > 0 && numberEnd <= editor->numberWidth) << "row " << row << ": " << numberEnd;
    }
    EXPECT_EQ(ink(canvas, 1, captionX + 5), captionStart + 8);  // "row1" against "row0"
    EXPECT_EQ(ink(canvas, 4, 2), -1);                           // the row past the end: background only
    Snapshot one(editor->hwnd, [&](HDC dc) {
        RECT all{0, 0, canvas.width(), canvas.height()};
        FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
        SelectObject(dc, fntNormal);
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_RIGHT | TA_TOP);
        TextOutA(dc, editor->numberWidth, 0, "1", 1);
    });
    for (bool leftmost : {true, false})  // the first row is numbered 1
        EXPECT_EQ(ink(canvas, 0, 0, codeX, leftmost), ink(one, 0, 0, codeX, leftmost)) << leftmost;

    SendMessageA(editor->hwnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4), 0);
    Snapshot scrolled = painted();
    EXPECT_EQ(ink(scrolled, 3, editor->numberWidth + 1), codeStart - 4);
    EXPECT_EQ(ink(scrolled, 0, captionX - 4), captionStart - 4);
    EXPECT_EQ(ink(scrolled, 3, 0, editor->numberWidth + 1, false),
              ink(canvas, 3, 0, editor->numberWidth + 1, false));
}

TEST_F(EditorTest, ShiftClickWidensTheSelectionWhichLosesItsColourWithTheFocus) {
    openEditor(addLibraryTemplate("five.tmpl", "DWRD DWRD DWRD DWRD DWRD"));
    auto button = [this](UINT message, WPARAM keys, int32_t row) {
        SendMessageA(editor->hwnd, message, keys, MAKELPARAM(5, rowY(row)));
    };
    button(WM_LBUTTONDOWN, MK_LBUTTON, 3);
    SetCapture(mainWindow);  // taken away while the button is down: the next press captures again
    ReleaseCapture();
    button(WM_LBUTTONDOWN, MK_LBUTTON, 3);
    EXPECT_EQ(GetCapture(), editor->hwnd);
    button(WM_LBUTTONUP, 0, 3);
    EXPECT_EQ(GetCapture(), nullptr);
    button(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 1);
    EXPECT_EQ(caret(), "1: 1-3");
    const int selected[] = {COLOR_WINDOW, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT, COLOR_WINDOW};
    const Snapshot canvas = painted();
    for (int row = 0; row < 5; ++row) EXPECT_EQ(background(canvas, row), colourOf(selected[row])) << row;
    // The focus rectangle marks the caret row only.
    EXPECT_NE(canvas.at(0, tmNormal.height), colourOf(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.at(0, 2 * tmNormal.height), colourOf(COLOR_HIGHLIGHT));
    focusTabs();
    Snapshot unfocused = painted();
    EXPECT_EQ(background(unfocused, 2), colourOf(COLOR_BTNFACE));
    EXPECT_EQ(unfocused.at(0, tmNormal.height), colourOf(COLOR_BTNFACE));
}

TEST_F(EditorTest, DoubleClickAndEnterEditAFieldRowButNothingBelowTheLastRow) {
    openEditor(addLibraryTemplate("enter.tmpl", "DWRD PSTR"));
    EXPECT_EQ(driveModal("Edit field:", [this] { doubleClick(rowY(0)); }, {fill("DWRD", "Height")}), 1u);
    EXPECT_EQ(GetFocus(), editor->hwnd);  // back from the dialog
    click(rowY(1));
    pressAnswered(VK_RETURN, fill("hlng", "Size"));
    EXPECT_EQ(editorState(), "DWRD hlng|enter.tmpl [*]|1");
    EXPECT_EQ(std::string(editor->templ->fields[0]->caption) + editor->templ->fields[1]->caption,
              "HeightSize");

    EXPECT_EQ(driveModal("Edit field:", [this] { doubleClick(rowY(2)); }, {fill("XXXX")}), 0u);
    click(rowY(4));
    EXPECT_EQ(caret(), "4");
    EXPECT_EQ(pressAnswered(VK_RETURN, fill("XXXX")), 0u);
}

// Rows: 0 DWRD, 1 LSTB, 2 DWRD, 3 PSTR, 4 LSTE, 5 DWRD.
TEST_F(EditorTest, ArrowsHomeAndEndMoveTheCaretAndLeftRightFollowTheSection) {
    openEditor(addLibraryTemplate("keys.tmpl", "DWRD LSTB DWRD PSTR LSTE DWRD"));
    // From, key, to.
    const int cases[][3] = {{3, VK_LEFT, 1}, {2, VK_LEFT, 1},  {3, VK_RIGHT, 4}, {2, VK_RIGHT, 4},
                            {5, VK_LEFT, 4}, {0, VK_RIGHT, 1}, {1, VK_RIGHT, 2}, {4, VK_LEFT, 3},
                            {0, VK_LEFT, 0}, {-1, VK_LEFT, 0}, {9, VK_LEFT, 8},  {0, VK_UP, 0},
                            {3, VK_UP, 2},   {5, VK_DOWN, 5},  {3, VK_DOWN, 4},  {3, VK_HOME, 0},
                            {1, VK_END, 5}};
    for (const auto& c : cases) {
        editor->caretRow = c[0];
        press(c[1]);
        EXPECT_EQ(caret(), std::to_string(c[2])) << "from " << c[0] << ", key " << c[1];
    }
}

// Each case: a new editor's rows (null: the same editor), the caret row (-1: left as it was), the key and
// Shift, the field dialog's answer (cancelled for "", not to come for null), the state after.
TEST_F(EditorTest, InsertAndDeleteKeysEditTheRowsAndRelinkThem) {
    const std::tuple<const char*, int32_t, UINT, bool, const char*, const char*> cases[] = {
        {"DWRD LSTB DWRD LSTE", 2, VK_INSERT, false, "", "DWRD LSTB>3 .DWRD LSTE>1|t.tmpl|2"},
        {"DWRD DWRD", 1, VK_INSERT, true, "LSTE", "DWRD DWRD LSTE|t.tmpl [*]|2"},  // appended
        {nullptr, -1, VK_INSERT, false, "LSTB", "DWRD DWRD LSTB>3 LSTE>2|t.tmpl [*]|2"},
        {nullptr, 1, VK_INSERT, false, "LSTB", "DWRD LSTB .DWRD .LSTB>4 .LSTE>3|t.tmpl [*]|1"},
        // The section's opening goes, so its closing code closes nothing.
        {"DWRD LSTB PSTR LSTE hlng", 1, VK_DELETE, false, nullptr, "DWRD PSTR LSTE hlng|t.tmpl [*]|1"},
        {nullptr, -1, VK_BACK, true, nullptr, "DWRD PSTR hlng|t.tmpl [*]|1"},
        {nullptr, 2, VK_BACK, false, nullptr, "DWRD PSTR|t.tmpl [*]|1"},    // back onto the last field
        {nullptr, -1, VK_DELETE, true, nullptr, "DWRD PSTR|t.tmpl [*]|1"},  // nothing after the last field
    };
    for (const auto& [opened, caret, key, shift, answer, after] : cases) {
        if (opened) openEditor(addLibraryTemplate("t.tmpl", opened));
        if (caret >= 0) editor->caretRow = caret;
        EXPECT_EQ(pressAnswered(key, fill(answer && *answer ? answer : nullptr), shift), answer ? 1u : 0u)
            << after;
        EXPECT_EQ(editorState(), after);
    }
}

TEST_F(EditorTest, AnEmptyTemplateShowsOneSelectedRowWhereInsertAddsTheFirstFieldAndDeletingItLeavesNoCaret) {
    openEditor(addLibraryTemplate("empty.tmpl", ""));
    const Snapshot canvas = painted();
    EXPECT_EQ(background(canvas, 0), colourOf(COLOR_HIGHLIGHT));
    EXPECT_EQ(pressAnswered(VK_INSERT, fill("LSTB", "first")), 1u);
    EXPECT_EQ(editorState(), "LSTB|empty.tmpl [*]|0");
    press(VK_DELETE);
    EXPECT_EQ(editorState(), "|empty.tmpl [*]|-1");
    for (WPARAM key : {VK_INSERT, VK_RETURN, VK_DELETE})
        EXPECT_EQ(pressAnswered(key, fill("hlng")), 0u) << key;
    click(rowY(0));  // until a click sets the caret again
    EXPECT_EQ(pressAnswered(VK_INSERT, fill("hlng")), 1u);
    EXPECT_EQ(editorState(), "hlng|empty.tmpl [*]|0");
}

// Two hundred rows; the vertical range runs one row past the last field.
TEST_F(EditorTest, ScrollRequestsAndPageKeysKeepTheLastFieldInViewAndPagesCountFromTheSelectionStart) {
    std::string rows;
    for (int i = 0; i < 200; ++i) rows += " DWRD";
    openEditor(addLibraryTemplate("rows.tmpl", rows));
    const int32_t page = (client().bottom + tmNormal.height - 1) / tmNormal.height;
    ASSERT_EQ(editor->pageRows, page);
    ASSERT_GT(page, 6);
    const SCROLLINFO info = scrollInfo(SB_VERT);
    EXPECT_EQ(std::pair(info.nMax - info.nMin, info.nPage), std::pair(200, static_cast<UINT>(page)));
    // Each step {request, thumb position, the top row expected after it} in turn.
    auto expectSteps = [this](const auto& steps) {
        for (const auto& step : steps) {
            SendMessageA(editor->hwnd, WM_VSCROLL, MAKEWPARAM(step[0], step[1]), 0);
            EXPECT_EQ(editor->topRow, step[2]) << "request " << step[0];
            EXPECT_EQ(GetScrollPos(editor->hwnd, SB_VERT), step[2]);
        }
    };
    const int32_t last = 200 - page + 1;  // the last field on the second-last visible row
    const std::array<int, 3> steps[] = {{SB_LINEDOWN, 0, 1},     {SB_PAGEDOWN, 0, 1 + page},
                                        {SB_LINEUP, 0, page},    {SB_BOTTOM, 0, last},
                                        {SB_LINEDOWN, 0, last},  {SB_PAGEDOWN, 0, last},
                                        {SB_THUMBTRACK, 50, 50}, {SB_THUMBPOSITION, 60, 60},
                                        {SB_ENDSCROLL, 0, 60},   {SB_PAGEUP, 0, 60 - page},
                                        {SB_TOP, 0, 0},          {SB_LINEUP, 0, 0}};
    expectSteps(steps);
    EXPECT_EQ(editor->bottomRow, page);

    click(rowY(2));
    click(rowY(5), true);
    EXPECT_EQ(caret(), "5: 2-5");
    // Key, caret, top row: the caret comes up to the second-last row.
    const int32_t lastTop = 199 - page + 2;
    const std::array<int, 3> keys[] = {{VK_NEXT, page, 2},      {VK_NEXT, 2 * page - 2, page},
                                       {VK_PRIOR, page, page},  {VK_END, 199, lastTop},
                                       {VK_NEXT, 199, lastTop}, {VK_HOME, 0, 0},
                                       {VK_PRIOR, 0, 0}};
    for (const auto& key : keys) {
        press(key[0]);
        EXPECT_EQ(caret(), std::to_string(key[1])) << "key " << key[0];
        EXPECT_EQ(editor->topRow, key[2]) << "key " << key[0];
    }

    openEditor(addLibraryTemplate("few.tmpl", "DWRD DWRD DWRD"));
    const std::array<int, 3> fewSteps[] = {{SB_LINEDOWN, 0, 0}, {SB_PAGEDOWN, 0, 0}, {SB_BOTTOM, 0, 0}};
    expectSteps(fewSteps);
}

TEST_F(EditorTest, SaveWritesTheFileAndReplacesTheLibraryEntryInPlaceLeavingEarlierClones) {
    Template* first = addLibraryTemplate("a.tmpl", "DWRD");
    addLibraryTemplate("b.tmpl", "DWRD PSTR");
    Template* third = addLibraryTemplate("c.tmpl", "hlng");
    Template* openedBefore = templateLibrary.templates[1]->clone();  // as a document holds it
    openEditor(templateLibrary.templates[1]);
    pressAnswered(VK_INSERT, fill("LSTB"));

    EXPECT_EQ(editor->Save(), 0);
    ASSERT_EQ(templateLibrary.count, 3);
    EXPECT_EQ(std::pair(templateLibrary.templates[0], templateLibrary.templates[2]), std::pair(first, third));
    EXPECT_EQ(codesOf(*templateLibrary.templates[1]), "LSTB DWRD PSTR");
    EXPECT_EQ(codesOf(*openedBefore), "DWRD PSTR");

    editor->UpdateCaption();  // as the Save command does
    EXPECT_EQ(tabText(0), "b.tmpl");
    pressAnswered(VK_INSERT, fill("LSTE"));  // the editor goes on with its own clone
    EXPECT_EQ(codesOf(*templateLibrary.templates[1]), "LSTB DWRD PSTR");
    delete openedBefore;
}

// Save as asks nothing without a document, nor does Save without a tab; a failed save changes nothing.
TEST_F(EditorTest, SaveAsAndAFailedSaveLeaveTheEditorAndTheLibraryAsTheyWere) {
    auto asked = [this](int command) {
        return driveModal("Save As", [&] { SendMessageA(mainWindow, WM_COMMAND, command, 0); },
                          {[](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }});
    };
    EXPECT_EQ(asked(cmdSave), 0u);
    EXPECT_EQ(asked(cmdSaveAs), 0u);
    Template* source = addLibraryTemplate("missing\\lost.tmpl", "DWRD");  // in a folder that is not there
    openEditor(source);
    pressAnswered(VK_INSERT, fill("PSTR"));
    EXPECT_EQ(asked(cmdSaveAs), 0u);
    EXPECT_EQ(tabText(0), "missing\\lost.tmpl [*]");
    EXPECT_LT(editor->Save(), 0);
    EXPECT_FALSE(editor->saved);
    EXPECT_EQ(templateLibrary.templates[0], source);
    EXPECT_EQ(codesOf(*source), "DWRD");
}

// A double click on a row of the list, or below the last row (-1), where it leaves nothing selected.
DialogStep doubleClickRow(int row) {
    return [row](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
        RECT bounds;
        GetClientRect(list, &bounds);
        if (row >= 0) ListView_GetItemRect(list, row, &bounds, LVIR_BOUNDS);
        doubleClickAt(list,
                      {bounds.left + 10, row < 0 ? bounds.bottom - 5 : (bounds.top + bounds.bottom) / 2});
    };
}

// The dialog's client size once it is resized.
SIZE resized(HWND dialog) {
    SetWindowPos(dialog, nullptr, 0, 0, 501, 333, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(dialog, &client);
    return {client.right, client.bottom};
}

bool controlOn(HWND dialog, int id, RECT expected) {
    return placedOn(GetDlgItem(dialog, id), expected);
}

// Resized: the list over the two buttons splitting the bottom row, the second taking the rest or not.
void expectListLaidOut(HWND dialog, int second, bool secondTakesRest) {
    const auto [w, h] = resized(dialog);
    EXPECT_TRUE(controlOn(dialog, IDC_TEMPLATE_LIST, {0, 0, w, h - 25}));
    EXPECT_TRUE(controlOn(dialog, IDOK, {0, h - 24, w / 2, h - 1}));
    EXPECT_TRUE(controlOn(dialog, second, {w / 2, h - 24, secondTakesRest ? w : w / 2 * 2, h - 1}));
}

TEST_F(EditorTest, SelectionAndListDialogsShowTheLibraryAndTakeTheRowChosenByOkEditOrADoubleClickElseNone) {
    // An empty library offers no choice in either dialog.
    EXPECT_EQ(select(clicking(IDOK)), nullptr);
    EXPECT_EQ(listAndOpen({clicking(IDC_EDIT_TEMPLATE)}), "none");
    addLibraryTemplate("first.tmpl", "DWRD");
    addLibraryTemplate("twin.tmpl", "PSTR");
    addLibraryTemplate("twin.tmpl", "hlng hlng");
    addLibraryTemplate("user.tmpl", "INCL:S=\"first\"");
    std::string rows;
    Template* choice = select([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
        char text[64];
        LVCOLUMNA column{LVCF_TEXT, 0, 0, text, sizeof text, 0, 0, 0, 0, 0, 0};
        ListView_GetColumn(list, 0, &column);
        rows = text;
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            ListView_GetItemText(list, i, 0, text, sizeof text);
            rows += std::string(" ") + text;
            ListView_GetItemText(list, i, 1, text, sizeof text);
            if (*text) rows += std::string(" (") + text + ")";
        }
        EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);
        expectListLaidOut(dialog, IDCANCEL, true);
        clickButton(dialog, IDOK);
    });
    EXPECT_EQ(rows, "Template first.tmpl (used by user.tmpl) twin.tmpl twin.tmpl user.tmpl (uses first.tmpl)");
    EXPECT_EQ(choice, templateLibrary.templates[0]);  // preselected

    for (int row = 0; row < 3; ++row) EXPECT_EQ(select(doubleClickRow(row)), templateLibrary.templates[row]);
    const DialogStep none[] = {doubleClickRow(-1), clicking(IDCANCEL),
                               [](HWND dialog) {  // OK without a selection
                                   LVITEMA nothing{};
                                   nothing.stateMask = LVIS_SELECTED;
                                   SendMessageA(GetDlgItem(dialog, IDC_TEMPLATE_LIST), LVM_SETITEMSTATE,
                                                static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&nothing));
                                   clickButton(dialog, IDOK);
                               }};
    for (const DialogStep& answer : none) EXPECT_EQ(select(answer), nullptr);

    // The list's Edit and double click open an editor. Each step runs only while the dialog is still
    // shown: Escape leaves it open.
    EXPECT_EQ(listAndOpen({[](HWND) { pressKey(GetFocus(), VK_ESCAPE); },
                           [](HWND dialog) {
                               expectListLaidOut(dialog, IDC_EDIT_TEMPLATE, false);
                               clickButton(dialog, IDOK);
                           }}),
              "none");
    EXPECT_EQ(listAndOpen({doubleClickRow(-1)}), "none");
    EXPECT_EQ(listAndOpen({doubleClickRow(0)}), "DWRD");
    EXPECT_EQ(GetFocus(), frame->entries[0]->view->hwnd);
    EXPECT_EQ(listAndOpen({doubleClickRow(2)}), "hlng hlng");
    EXPECT_EQ(listAndOpen({doubleClickRow(1)}), "PSTR");
    EXPECT_EQ(GetFocus(), frame->entries[2]->view->hwnd);
    // The command reaches the main window from an editor.
    EXPECT_EQ(
        driveModal("Templates:",
                   [&] { SendMessageA(frame->entries[2]->view->hwnd, WM_COMMAND, cmdListTemplates, 0); },
                   {clicking(IDOK)}),
        1u);
}

// Each answer finds the dialog showing what the one before left: Cancel, after resizing, changes
// nothing; OK takes at most four characters as typed, zero-filled, and a caption of any length.
TEST_F(ViewTest, FieldDialogIsCancelledOrTakesACodeOfAtMostFourCharactersAndACaptionOfAnyLength) {
    Template rows;
    TemplateField* field = rows.appendField("DWRD", "Width");
    rows.link();
    auto edit = [&](DialogStep answer) {
        bool result = false;
        EXPECT_EQ(driveModal("Edit field:", [&] { result = EditTemplateField(mainWindow, field); },
                             {std::move(answer)}),
                  1u);
        return result;
    };
    const char* captionBefore = field->caption;
    EXPECT_FALSE(edit([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_FIELD_CODE, "hlng");
        SetDlgItemTextA(dialog, IDC_FIELD_CAPTION, "Changed");
        // Resized, it stretches the boxes and splits the bottom row in two.
        const LONG x0 = placeOf(GetDlgItem(dialog, IDC_FIELD_CODE)).left;  // the resource's, kept
        const auto [w, h] = resized(dialog);
        EXPECT_TRUE(controlOn(dialog, IDC_FIELD_CODE, {x0, 4, w - 31, 28}));
        EXPECT_TRUE(controlOn(dialog, IDC_FIELD_CODE_CHOICE, {w - 29, 4, w - 5, 28}));
        EXPECT_TRUE(controlOn(dialog, IDC_FIELD_CAPTION, {x0, 32, w - 4, h - 28}));
        EXPECT_TRUE(controlOn(dialog, IDOK, {0, h - 24, w / 2, h}));
        EXPECT_TRUE(controlOn(dialog, IDCANCEL, {w / 2, h - 24, w, h}));
        clickButton(dialog, IDCANCEL);
    }));
    EXPECT_EQ(std::string(field->code, 4) + field->caption, "DWRDWidth");
    EXPECT_EQ(field->caption, captionBefore);
    EXPECT_TRUE(rows.linked);

    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"ABCDE", std::string(300, 'x'), "ABCD"},
        {"ab", "", std::string("ab\0\0", 4)},
        {"", "none", std::string(4, '\0')}};
    for (const auto& [typed, caption, code] : cases) {
        const std::string shown = std::string(field->code, strnlen(field->code, 4)) + "|" + field->caption;
        ASSERT_TRUE(edit([&](HWND dialog) {
            EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_FIELD_CODE)) + "|" +
                          windowText(GetDlgItem(dialog, IDC_FIELD_CAPTION)),
                      shown);
            fill(typed, caption.c_str())(dialog);
        }));
        EXPECT_EQ(std::string(field->code, 4), code) << typed;
        EXPECT_EQ(field->caption, caption);
    }
}

}  // namespace
}  // namespace guitest
