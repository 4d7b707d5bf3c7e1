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

POINT rowPoint(HWND list, int row) {
    RECT bounds{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    return POINT{bounds.left + 10, (bounds.top + bounds.bottom) / 2};
}

// Below the last row, where a click leaves nothing selected.
POINT emptyPoint(HWND list) {
    RECT client;
    GetClientRect(list, &client);
    return POINT{10, client.bottom - 5};
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
        for (int i = 0; i < 3; ++i) {
            RECT actual = controlRect(dialog, ids[i]);
            EXPECT_TRUE(EqualRect(&actual, &expected[i])) << "control " << ids[i];
        }
    }
};

TEST_F(TemplateDialogsTest, SelectionListsTheLibraryWithTheFirstTemplatePreselected) {
    addThree();
    std::string rows;
    Template* choice = select([&](HWND dialog) {
        HWND list = listOf(dialog);
        EXPECT_EQ(windowText(dialog), "Select a template:");
        EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);
        char text[64];
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        EXPECT_STREQ(text, "Template");
        EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_FULLROWSELECT);
        const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            LVITEMA item{};
            item.iSubItem = 0;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
            rows += std::string(i ? " " : "") + text;
        }
        clickButton(dialog, IDOK);
    });
    EXPECT_EQ(rows, "first.tmpl twin.tmpl twin.tmpl");
    EXPECT_EQ(choice, templateLibrary.templates[0]);
}

TEST_F(TemplateDialogsTest, SelectionDoubleClickChoosesWhatItLeftSelected) {
    addThree();
    for (int row = 0; row < 3; ++row) {
        Template* choice =
            select([row](HWND dialog) { doubleClickAt(listOf(dialog), rowPoint(listOf(dialog), row)); });
        EXPECT_EQ(choice, templateLibrary.templates[row]) << "row " << row;
    }
    EXPECT_EQ(select([](HWND dialog) { doubleClickAt(listOf(dialog), emptyPoint(listOf(dialog))); }),
              nullptr);
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

TEST_F(TemplateDialogsTest, SelectionFromAnEmptyLibraryIsNone) {
    EXPECT_EQ(select([](HWND dialog) { clickButton(dialog, IDOK); }), nullptr);
}

TEST_F(TemplateDialogsTest, ListEditAndDoubleClickOpenAnEditorOnTheChosenTemplate) {
    addThree();
    EXPECT_EQ(listAndOpen({[](HWND dialog) {
                  EXPECT_EQ(windowText(dialog), "Templates:");
                  clickButton(dialog, IDC_EDIT_TEMPLATE);
              }}),
              "DWRD");
    EXPECT_EQ(tabText(0), "first.tmpl");
    EXPECT_EQ(GetFocus(), frame->entries[0]->view->hwnd);
    EXPECT_EQ(listAndOpen({[](HWND dialog) { doubleClickAt(listOf(dialog), rowPoint(listOf(dialog), 2)); }}),
              "hlng hlng");
    EXPECT_EQ(listAndOpen({[](HWND dialog) { doubleClickAt(listOf(dialog), rowPoint(listOf(dialog), 1)); }}),
              "PSTR");
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
    EXPECT_EQ(listAndOpen({[](HWND dialog) { doubleClickAt(listOf(dialog), emptyPoint(listOf(dialog))); }}),
              "none");
}

TEST_F(TemplateDialogsTest, ListOfAnEmptyLibraryClosesOnEditWithoutAnEditor) {
    EXPECT_EQ(listAndOpen({[](HWND dialog) { clickButton(dialog, IDC_EDIT_TEMPLATE); }}), "none");
}

TEST_F(TemplateDialogsTest, BothDialogsKeepTheirButtonsInOneRowBelowTheListWhenResized) {
    addThree();
    select([](HWND dialog) {
        expectLaidOut(dialog, IDCANCEL, true);
        clickButton(dialog, IDCANCEL);
    });
    listAndOpen({[](HWND dialog) {
        expectLaidOut(dialog, IDC_EDIT_TEMPLATE, false);
        clickButton(dialog, IDOK);
    }});
}

TEST_F(TemplateDialogsTest, ListTemplatesCommandReachesTheMainWindowFromAnEditor) {
    TfrmTemplate* editor = openEditor(addLibraryTemplate("commands.tmpl", "DWRD"));
    EXPECT_EQ(driveModal("Templates:", [&] { SendMessageA(editor->hwnd, WM_COMMAND, cmdListTemplates, 0); },
                         {[](HWND dialog) { clickButton(dialog, IDOK); }}),
              1u);
}

}  // namespace
}  // namespace guitest
