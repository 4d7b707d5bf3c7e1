// The template list, selection and field dialogs, answered through their controls. Escape and the
// close box reach a dialog as Cancel does, through the system's dialog manager.
#include <cstring>

#include "resource_ids.h"
#include "view_fixture.h"
#include "views/template/template_field_dialog.h"
#include "views/template/template_list_dialog.h"
#include "views/template/template_list_dialog_ids.h"
#include "views/template/template_select_dialog.h"

namespace guitest {
namespace {

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

// Resized, the list over the two buttons, which split the bottom row; the second takes the rest, or
// not.
void expectListLaidOut(HWND dialog, int second, bool secondTakesRest) {
    const auto [w, h] = resized(dialog);
    EXPECT_TRUE(controlOn(dialog, IDC_TEMPLATE_LIST, {0, 0, w, h - 25}));
    EXPECT_TRUE(controlOn(dialog, IDOK, {0, h - 24, w / 2, h - 1}));
    EXPECT_TRUE(controlOn(dialog, second, {w / 2, h - 24, secondTakesRest ? w : w / 2 * 2, h - 1}));
}

DialogStep clicking(int button) {
    return [button](HWND dialog) { clickButton(dialog, button); };
}

class TemplateDialogs : public ViewTest {
  protected:
    void addThree() {
        addLibraryTemplate("first.tmpl", "DWRD");
        addLibraryTemplate("twin.tmpl", "PSTR");
        addLibraryTemplate("twin.tmpl", "hlng hlng");
    }
    Template* select(DialogStep step) {
        Template* choice = nullptr;
        EXPECT_EQ(
            driveModal("Select a template:", [&] { choice = SelectTemplate(mainWindow); }, {std::move(step)}),
            1u);
        return choice;
    }
    // The code rows of the editor the list dialog opened, or "none". Every step must find the dialog
    // still shown.
    std::string listAndOpen(std::vector<DialogStep> steps) {
        const int32_t before = frame->count;
        const size_t count = steps.size();
        EXPECT_EQ(driveModal(
                      "Templates:", [&] { ShowTemplateList(frame); }, std::move(steps)),
                  count);
        if (frame->count == before) return "none";
        return codesOf(*static_cast<TfrmTemplate*>(frame->CurrentEntry()->view)->templ);
    }
};

TEST_F(TemplateDialogs, SelectionListsTheLibraryAndChoosesTheRowSelectedByOkOrADoubleClickElseNone) {
    // An empty library offers no choice in either dialog.
    EXPECT_EQ(select(clicking(IDOK)), nullptr);
    EXPECT_EQ(listAndOpen({clicking(IDC_EDIT_TEMPLATE)}), "none");
    addThree();
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
        }
        EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);
        expectListLaidOut(dialog, IDCANCEL, true);
        clickButton(dialog, IDOK);
    });
    EXPECT_EQ(rows, "Template first.tmpl twin.tmpl twin.tmpl");
    EXPECT_EQ(choice, templateLibrary.templates[0]);  // preselected

    for (int row = 0; row < 3; ++row) EXPECT_EQ(select(doubleClickRow(row)), templateLibrary.templates[row]);
    const DialogStep none[] = {
        doubleClickRow(-1),
        clicking(IDCANCEL),
        [](HWND dialog) {  // OK without a selection
            LVITEMA nothing{};
            nothing.stateMask = LVIS_SELECTED;
            SendMessageA(GetDlgItem(dialog, IDC_TEMPLATE_LIST), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(&nothing));
            clickButton(dialog, IDOK);
        },
    };
    for (const DialogStep& answer : none) EXPECT_EQ(select(answer), nullptr);
}

TEST_F(TemplateDialogs, ListEditAndDoubleClickOpenAnEditorOnTheChosenTemplateAndNothingElseCloses) {
    addThree();
    // Each step runs only while the dialog is still shown: Escape leaves it open.
    EXPECT_EQ(listAndOpen({[](HWND) { pressKey(GetFocus(), VK_ESCAPE); },
                           [](HWND dialog) {
                               expectListLaidOut(dialog, IDC_EDIT_TEMPLATE, false);
                               clickButton(dialog, IDOK);
                           }}),
              "none");
    EXPECT_EQ(listAndOpen({doubleClickRow(-1)}), "none");
    EXPECT_EQ(listAndOpen({doubleClickRow(0)}), "DWRD");
    EXPECT_EQ(tabText(0), "first.tmpl");
    EXPECT_EQ(GetFocus(), frame->entries[0]->view->hwnd);
    EXPECT_EQ(listAndOpen({doubleClickRow(2)}), "hlng hlng");
    EXPECT_EQ(listAndOpen({doubleClickRow(1)}), "PSTR");
    EXPECT_EQ(frame->count, 3);
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

    const std::string longCaption(300, 'x');
    const std::tuple<const char*, std::string, std::string> cases[] = {{"ABCDE", longCaption, "ABCD"},
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
