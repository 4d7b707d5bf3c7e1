// The template list, selection and field dialogs, answered through their controls.
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
        RECT bounds{LVIR_BOUNDS, 0, 0, 0};
        HWND list = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
        if (row < 0) {
            GetClientRect(list, &bounds);
            bounds.top = bounds.bottom - 10;
        } else {
            SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
        }
        doubleClickAt(list, POINT{bounds.left + 10, (bounds.top + bounds.bottom) / 2});
    };
}

const DialogStep kEscape = [](HWND dialog) { pressKey(GetFocus(), VK_ESCAPE); };
const DialogStep kCloseBox = [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); };

// Resizes the dialog and expects its controls on the rectangles place gives for the client's size.
void expectLaidOut(HWND dialog, const std::vector<int>& ids,
                   const std::function<std::vector<RECT>(int w, int h)>& place) {
    SetWindowPos(dialog, nullptr, 0, 0, 501, 333, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(dialog, &client);
    const std::vector<RECT> expected = place(client.right, client.bottom);
    for (size_t i = 0; i < ids.size(); ++i)
        EXPECT_TRUE(placedOn(GetDlgItem(dialog, ids[i]), expected[i])) << ids[i];
}

// The list over the two buttons, which split the bottom row; the second takes the rest, or not.
void expectListLaidOut(HWND dialog, int second, bool secondTakesRest) {
    expectLaidOut(dialog, {IDC_TEMPLATE_LIST, IDOK, second}, [=](int w, int h) {
        return std::vector<RECT>{{0, 0, w, h - 25},
                                 {0, h - 24, w / 2, h - 1},
                                 {w / 2, h - 24, secondTakesRest ? w : w / 2 * 2, h - 1}};
    });
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

TEST_F(TemplateDialogs, SelectionListsTheLibraryWithTheFirstTemplatePreselected) {
    // An empty library offers no choice in either dialog.
    EXPECT_EQ(select([](HWND dialog) { clickButton(dialog, IDOK); }), nullptr);
    EXPECT_EQ(listAndOpen({[](HWND dialog) { clickButton(dialog, IDC_EDIT_TEMPLATE); }}), "none");
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
        EXPECT_EQ(ListView_GetExtendedListViewStyle(list), LVS_EX_FULLROWSELECT);
        EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);
        expectListLaidOut(dialog, IDCANCEL, true);
        clickButton(dialog, IDOK);
    });
    EXPECT_EQ(rows, "Template first.tmpl twin.tmpl twin.tmpl");
    EXPECT_EQ(choice, templateLibrary.templates[0]);
}

TEST_F(TemplateDialogs, SelectionDoubleClickChoosesWhatItLeftSelectedAndEveryOtherWayOutNone) {
    addThree();
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(select(doubleClickRow(row)), templateLibrary.templates[row]) << "row " << row;
    }
    const DialogStep none[] = {
        doubleClickRow(-1),
        kEscape,
        [](HWND dialog) { clickButton(dialog, IDCANCEL); },
        kCloseBox,
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
    // Each step runs only while the dialog is still shown.
    EXPECT_EQ(listAndOpen({kEscape, kCloseBox, [](HWND dialog) { clickButton(dialog, IDOK); }}), "none");
    EXPECT_EQ(listAndOpen({doubleClickRow(-1)}), "none");
    EXPECT_EQ(listAndOpen({[](HWND dialog) {
                  EXPECT_EQ(windowText(dialog), "Templates:");
                  expectListLaidOut(dialog, IDC_EDIT_TEMPLATE, false);
                  clickButton(dialog, IDC_EDIT_TEMPLATE);
              }}),
              "DWRD");
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
                   {[](HWND dialog) { clickButton(dialog, IDOK); }}),
        1u);
}

class FieldDialog : public ViewTest {
  protected:
    void SetUp() override {
        ViewTest::SetUp();
        field = rows.appendField("DWRD", "Width");
    }
    // The dialog on the field, answered by one step; its result.
    bool edit(DialogStep step) {
        bool result = false;
        EXPECT_EQ(withFieldDialog([&] { result = EditTemplateField(mainWindow, field); }, std::move(step)),
                  1u);
        return result;
    }

    Template rows;
    TemplateField* field = nullptr;
};

// Each case opens the dialog on what the case before it left.
TEST_F(FieldDialog, OkTakesAtMostFourCharactersAsTypedZeroFilledAndACaptionOfAnyLength) {
    const std::string longCaption(300, 'x');
    const struct {
        const char* shownCode;
        const char* shownCaption;
        const char* typedCode;
        const char* typedCaption;
        char code[4];
    } cases[] = {
        {"DWRD", "Width", "lstb", "List", {'l', 's', 't', 'b'}},
        {"lstb", "List", "ABCDE", longCaption.c_str(), {'A', 'B', 'C', 'D'}},
        {"ABCD", longCaption.c_str(), "ab", "", {'a', 'b', 0, 0}},
        {"ab", "", "", "none", {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(edit([&](HWND dialog) {
            EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_FIELD_CODE)), c.shownCode);
            EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_FIELD_CAPTION)), c.shownCaption);
            fill(c.typedCode, c.typedCaption)(dialog);
        }));
        EXPECT_EQ(std::memcmp(field->code, c.code, 4), 0) << c.typedCode;
        EXPECT_STREQ(field->caption, c.typedCaption);
    }
}

TEST_F(FieldDialog, CancelEscapeAndTheCloseBoxLeaveTheFieldAsItWasResizedOrNot) {
    rows.link();
    const char* captionBefore = field->caption;
    const DialogStep closers[] = {
        [](HWND dialog) {
            // Stretches the boxes and splits the bottom row in two.
            const int x0 = placeOf(GetDlgItem(dialog, IDC_FIELD_CODE)).left;  // the resource's, kept
            expectLaidOut(dialog, {IDC_FIELD_CODE, IDC_FIELD_CODE_CHOICE, IDC_FIELD_CAPTION, IDOK, IDCANCEL},
                          [=](int w, int h) {
                              return std::vector<RECT>{{x0, 4, w - 31, 28},
                                                       {w - 29, 4, w - 5, 28},
                                                       {x0, 32, w - 4, h - 28},
                                                       {0, h - 24, w / 2, h},
                                                       {w / 2, h - 24, w, h}};
                          });
            clickButton(dialog, IDCANCEL);
        },
        kEscape,
        kCloseBox,
    };
    for (const DialogStep& close : closers) {
        EXPECT_FALSE(edit([&](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_FIELD_CODE, "hlng");
            SetDlgItemTextA(dialog, IDC_FIELD_CAPTION, "Changed");
            close(dialog);
        }));
        EXPECT_EQ(std::string(field->code, 4) + field->caption, "DWRDWidth");
        EXPECT_EQ(field->caption, captionBefore);
        EXPECT_TRUE(rows.linked);
    }
}

}  // namespace
}  // namespace guitest
