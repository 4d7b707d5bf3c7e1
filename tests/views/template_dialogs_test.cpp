// The template list and selection dialogs, answered through their list and buttons.
#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include "resource_ids.h"
#include "template_editor_fixture.h"
#include "templates/template_library.h"
#include "views/template/template_list_dialog.h"
#include "views/template/template_list_dialog_ids.h"
#include "views/template/template_select_dialog.h"

namespace guitest {
namespace {

HWND listOf(HWND dialog) {
    return GetDlgItem(dialog, IDC_TEMPLATE_LIST);
}

// A double click on a row of the list, or below the last row (-1), where it leaves nothing selected.
DialogStep doubleClickRow(int row) {
    return [row](HWND dialog) {
        RECT bounds{LVIR_BOUNDS, 0, 0, 0};
        HWND list = listOf(dialog);
        if (row < 0) {
            GetClientRect(list, &bounds);
            bounds.top = bounds.bottom - 10;
        } else {
            SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
        }
        doubleClickAt(list, POINT{bounds.left + 10, (bounds.top + bounds.bottom) / 2});
    };
}

class TemplateDialogsTest : public TemplateEditorTest {
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
    // The list and the two buttons after a resize, against the layout's rule.
    static void expectLaidOut(HWND dialog, int second, bool secondTakesRest) {
        SetWindowPos(dialog, nullptr, 0, 0, 501, 333, SWP_NOMOVE | SWP_NOZORDER);
        RECT client;
        GetClientRect(dialog, &client);
        const int w = client.right;
        const int h = client.bottom;
        const RECT expected[] = {{0, 0, w, h - 25},
                                 {0, h - 24, w / 2, h - 1},
                                 {w / 2, h - 24, secondTakesRest ? w : w / 2 * 2, h - 1}};
        const int ids[] = {IDC_TEMPLATE_LIST, IDOK, second};
        for (int i = 0; i < 3; ++i) EXPECT_TRUE(placedOn(GetDlgItem(dialog, ids[i]), expected[i])) << ids[i];
    }
};

TEST_F(TemplateDialogsTest, SelectionListsTheLibraryWithTheFirstTemplatePreselected) {
    addThree();
    std::string rows;
    Template* choice = select([&](HWND dialog) {
        HWND list = listOf(dialog);
        char text[64];
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        ListView_GetColumn(list, 0, &column);
        rows = text;
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            ListView_GetItemText(list, i, 0, text, sizeof text);
            rows += std::string(" ") + text;
        }
        EXPECT_EQ(ListView_GetExtendedListViewStyle(list), LVS_EX_FULLROWSELECT);
        EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);
        expectLaidOut(dialog, IDCANCEL, true);
        clickButton(dialog, IDOK);
    });
    EXPECT_EQ(rows, "Template first.tmpl twin.tmpl twin.tmpl");
    EXPECT_EQ(choice, templateLibrary.templates[0]);
}

TEST_F(TemplateDialogsTest, SelectionDoubleClickChoosesWhatItLeftSelected) {
    addThree();
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(select(doubleClickRow(row)), templateLibrary.templates[row]) << "row " << row;
    }
    EXPECT_EQ(select(doubleClickRow(-1)), nullptr);
}

TEST_F(TemplateDialogsTest, SelectionEscapeCancelTheCloseBoxAndOkWithoutASelectionReturnNone) {
    addThree();
    const DialogStep answers[] = {
        [](HWND dialog) { pressKey(listOf(dialog), VK_ESCAPE); },
        [](HWND dialog) { clickButton(dialog, IDCANCEL); },
        [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
        [](HWND dialog) {
            LVITEMA none{};
            none.stateMask = LVIS_SELECTED;
            SendMessageA(listOf(dialog), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(&none));
            clickButton(dialog, IDOK);
        },
    };
    for (const DialogStep& answer : answers) EXPECT_EQ(select(answer), nullptr);
}

TEST_F(TemplateDialogsTest, ListEditAndDoubleClickOpenAnEditorOnTheChosenTemplate) {
    addThree();
    EXPECT_EQ(listAndOpen({[](HWND dialog) {
                  EXPECT_EQ(windowText(dialog), "Templates:");
                  expectLaidOut(dialog, IDC_EDIT_TEMPLATE, false);
                  clickButton(dialog, IDC_EDIT_TEMPLATE);
              }}),
              "DWRD");
    EXPECT_EQ(tabText(0), "first.tmpl");
    EXPECT_EQ(GetFocus(), frame->entries[0]->view->hwnd);
    EXPECT_EQ(listAndOpen({doubleClickRow(2)}), "hlng hlng");
    EXPECT_EQ(listAndOpen({doubleClickRow(1)}), "PSTR");
    EXPECT_EQ(frame->count, 3);
    EXPECT_EQ(GetFocus(), frame->entries[2]->view->hwnd);
}

TEST_F(TemplateDialogsTest, ListClosesOnlyThroughItsButtonsOrADoubleClick) {
    addThree();
    // Each step runs only while the dialog is still shown.
    EXPECT_EQ(listAndOpen({[](HWND dialog) { pressKey(listOf(dialog), VK_ESCAPE); },
                           [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
                           [](HWND dialog) { clickButton(dialog, IDOK); }}),
              "none");
    EXPECT_EQ(listAndOpen({doubleClickRow(-1)}), "none");
}

TEST_F(TemplateDialogsTest, AnEmptyLibraryOffersNoChoiceInEitherDialog) {
    EXPECT_EQ(select([](HWND dialog) { clickButton(dialog, IDOK); }), nullptr);
    EXPECT_EQ(listAndOpen({[](HWND dialog) { clickButton(dialog, IDC_EDIT_TEMPLATE); }}), "none");
}

TEST_F(TemplateDialogsTest, ListTemplatesCommandReachesTheMainWindowFromAnEditor) {
    TfrmTemplate* editor = openEditor(addLibraryTemplate("commands.tmpl", "DWRD"));
    EXPECT_EQ(driveModal("Templates:", [&] { SendMessageA(editor->hwnd, WM_COMMAND, cmdListTemplates, 0); },
                         {[](HWND dialog) { clickButton(dialog, IDOK); }}),
              1u);
}

}  // namespace
}  // namespace guitest
