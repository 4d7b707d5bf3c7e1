// The editor's keys: caret movement through sections and pages, Enter, Insert and Delete.
#include "shell/drawing_resources.h"
#include "template_editor_fixture.h"
#include "views/template/template_field_dialog_ids.h"

namespace guitest {
namespace {

class EditorKeysTest : public TemplateEditorTest {
  protected:
    void key(WPARAM virtualKey) { SendMessageA(editor->hwnd, WM_KEYDOWN, virtualKey, 1); }
    void click(int32_t row, WPARAM keys = 0) {
        const int y = (row - editor->topRow) * tmNormal.height + 1;
        SendMessageA(editor->hwnd, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(20, y));
        SendMessageA(editor->hwnd, WM_LBUTTONUP, keys, MAKELPARAM(20, y));
    }
    void expectCaretAndSelection(int32_t row) {
        EXPECT_EQ(editor->caretRow, row);
        EXPECT_EQ(editor->selStart, row);
        EXPECT_EQ(editor->selEnd, row);
    }

    // Presses the key with the field dialog answered by the step; how many dialogs came (0 or 1).
    size_t keyAnswered(WPARAM virtualKey, DialogStep answer) {
        return withFieldDialog([&] { key(virtualKey); }, std::move(answer));
    }
    // Answers the field dialog with a code and a caption, or cancels it when code is null.
    static DialogStep fill(const char* code, const char* caption = "new") {
        return [code, caption](HWND dialog) {
            if (!code) return clickButton(dialog, IDCANCEL);
            SetDlgItemTextA(dialog, IDC_FIELD_CODE, code);
            SetDlgItemTextA(dialog, IDC_FIELD_CAPTION, caption);
            clickButton(dialog, IDOK);
        };
    }

    TfrmTemplate* editor = nullptr;
};

// Rows: 0 DWRD, 1 LSTB, 2 DWRD, 3 PSTR, 4 LSTE, 5 DWRD.
TEST_F(EditorKeysTest, ArrowsHomeAndEndMoveTheCaretAndLeftRightFollowTheSection) {
    editor = openEditor(addLibraryTemplate("keys.tmpl", "DWRD LSTB DWRD PSTR LSTE DWRD"));
    const int cases[][3] = {
        // from, key, to
        {3, VK_LEFT, 1},  {2, VK_LEFT, 1},  {3, VK_RIGHT, 4}, {2, VK_RIGHT, 4}, {5, VK_LEFT, 4},
        {0, VK_RIGHT, 1}, {1, VK_RIGHT, 2}, {4, VK_LEFT, 3},  {0, VK_LEFT, 0},  {-1, VK_LEFT, 0},
        {9, VK_LEFT, 8},  {0, VK_UP, 0},    {3, VK_UP, 2},    {5, VK_DOWN, 5},  {3, VK_DOWN, 4},
        {3, VK_HOME, 0},  {1, VK_END, 5},
    };
    for (const auto& c : cases) {
        editor->caretRow = c[0];
        key(c[1]);
        expectCaretAndSelection(c[2]);
    }
}

TEST_F(EditorKeysTest, PagesCountFromTheSelectionStartAndKeepTheCaretInView) {
    editor = openEditor(addLibraryTemplate("long.tmpl", repeated("DWRD", 200).c_str()));
    const int32_t page = editor->pageRows;
    ASSERT_GT(page, 6);
    click(2);
    click(5, MK_SHIFT);
    EXPECT_EQ(editor->selStart, 2);
    EXPECT_EQ(editor->selEnd, 5);
    const int steps[][3] = {
        // key, caret, top row: the caret comes up to the second-last row
        {VK_NEXT, page, 2},
        {VK_NEXT, 2 * page - 2, page},
        {VK_PRIOR, page, page},
        {VK_END, 199, 199 - page + 2},
        {VK_NEXT, 199, 199 - page + 2},
        {VK_HOME, 0, 0},
        {VK_PRIOR, 0, 0},
    };
    for (const auto& step : steps) {
        key(step[0]);
        expectCaretAndSelection(step[1]);
        EXPECT_EQ(editor->topRow, step[2]) << "key " << step[0];
    }
}

TEST_F(EditorKeysTest, InsertThenCancelLeavesTemplateAndTabAsTheyWere) {
    editor = openEditor(addLibraryTemplate("cancel.tmpl", "DWRD LSTB DWRD LSTE"));
    editor->caretRow = 2;
    EXPECT_EQ(keyAnswered(VK_INSERT, fill(nullptr)), 1u);
    EXPECT_EQ(codesOf(*editor->templ), "DWRD LSTB DWRD LSTE");
    EXPECT_TRUE(editor->saved);
    EXPECT_EQ(tabText(0), "cancel.tmpl");
    key(VK_LEFT);  // the section is still intact
    EXPECT_EQ(editor->caretRow, 1);
}

TEST_F(EditorKeysTest, InsertedRowsAreLinkedAndShiftInsertOnTheLastFieldAppends) {
    editor = openEditor(addLibraryTemplate("insert.tmpl", "DWRD DWRD"));
    editor->caretRow = 1;
    {
        ShiftHeld shift;
        keyAnswered(VK_INSERT, fill("LSTE"));
    }
    EXPECT_EQ(codesOf(*editor->templ), "DWRD DWRD LSTE");
    EXPECT_EQ(editor->caretRow, 2);
    keyAnswered(VK_INSERT, fill("LSTB"));  // before the caret row: the new section holds the last DWRD
    EXPECT_EQ(codesOf(*editor->templ), "DWRD DWRD LSTB LSTE");
    editor->caretRow = 1;
    keyAnswered(VK_INSERT, fill("LSTB"));
    EXPECT_EQ(codesOf(*editor->templ), "DWRD LSTB DWRD LSTB LSTE");
    EXPECT_EQ(editor->templ->fields[2]->depth, 1);
    EXPECT_EQ(editor->templ->fields[4]->partner, editor->templ->fields[3]);
}

TEST_F(EditorKeysTest, InsertOnAnEmptyTemplateAddsTheFirstFieldAndDeletingItLeavesNoCaret) {
    editor = openEditor(addLibraryTemplate("empty.tmpl", ""));
    EXPECT_EQ(keyAnswered(VK_INSERT, fill("LSTB", "first")), 1u);
    EXPECT_EQ(codesOf(*editor->templ), "LSTB");
    EXPECT_STREQ(editor->templ->fields[0]->caption, "first");
    EXPECT_EQ(tabText(0), "empty.tmpl [*]");
    EXPECT_EQ(editor->caretRow, 0);

    key(VK_DELETE);
    EXPECT_EQ(editor->templ->fieldCount, 0);
    EXPECT_EQ(editor->caretRow, -1);
    const WPARAM keys[] = {VK_INSERT, VK_RETURN, VK_DELETE};
    for (WPARAM pressed : keys) EXPECT_EQ(keyAnswered(pressed, fill("hlng")), 0u) << pressed;
    click(0);  // until a click sets the caret again
    EXPECT_EQ(keyAnswered(VK_INSERT, fill("hlng")), 1u);
    EXPECT_EQ(codesOf(*editor->templ), "hlng");
}

TEST_F(EditorKeysTest, DeleteBackspaceAndShiftDeleteRemoveTheCaretRowOrTheOneAfterAndRelink) {
    editor = openEditor(addLibraryTemplate("delete.tmpl", "DWRD LSTB PSTR LSTE hlng"));
    editor->caretRow = 1;
    key(VK_DELETE);  // the section's opening goes, so its closing code closes nothing
    EXPECT_EQ(codesOf(*editor->templ), "DWRD PSTR LSTE hlng");
    EXPECT_EQ(editor->templ->fields[1]->depth, 0);
    EXPECT_EQ(editor->caretRow, 1);
    {
        ShiftHeld shift;
        key(VK_BACK);
    }
    EXPECT_EQ(codesOf(*editor->templ), "DWRD PSTR hlng");
    editor->caretRow = 2;
    key(VK_BACK);
    EXPECT_EQ(codesOf(*editor->templ), "DWRD PSTR");
    EXPECT_EQ(editor->caretRow, 1);  // moved back onto the last field
    {
        ShiftHeld shift;
        key(VK_DELETE);  // nothing after the last field
    }
    EXPECT_EQ(codesOf(*editor->templ), "DWRD PSTR");
}

TEST_F(EditorKeysTest, EnterEditsTheCaretFieldButNothingBelowTheLastRow) {
    editor = openEditor(addLibraryTemplate("enter.tmpl", "DWRD PSTR"));
    click(1);
    keyAnswered(VK_RETURN, fill("hlng", "Size"));
    EXPECT_EQ(codesOf(*editor->templ), "DWRD hlng");
    EXPECT_STREQ(editor->templ->fields[1]->caption, "Size");
    EXPECT_EQ(tabText(0), "enter.tmpl [*]");
    EXPECT_EQ(GetFocus(), editor->hwnd);  // back from the dialog

    click(4);
    expectCaretAndSelection(4);
    EXPECT_EQ(keyAnswered(VK_RETURN, fill("XXXX")), 0u);
}

}  // namespace
}  // namespace guitest
