// The field dialog, answered through its boxes and buttons.
#include "views/template/template_field_dialog.h"

#include <cstring>

#include "template_editor_fixture.h"
#include "views/template/template_field_dialog_ids.h"

namespace guitest {
namespace {

class FieldDialogTest : public TemplateEditorTest {
  protected:
    void SetUp() override {
        TemplateEditorTest::SetUp();
        field = rows.appendField("DWRD", "Width");
    }

    // Types the two texts and confirms or cancels; returns the dialog's result.
    bool answer(const char* code, const char* caption, int button) {
        return edit([&](HWND dialog) {
            shownCode = controlText(dialog, IDC_FIELD_CODE);
            shownCaption = controlText(dialog, IDC_FIELD_CAPTION);
            SetDlgItemTextA(dialog, IDC_FIELD_CODE, code);
            SetDlgItemTextA(dialog, IDC_FIELD_CAPTION, caption);
            clickButton(dialog, button);
        });
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
    std::string shownCode;
    std::string shownCaption;
};

// Each case opens the dialog on what the case before it left.
TEST_F(FieldDialogTest, OkTakesAtMostFourCharactersAsTypedAndZeroFillsShorterCodes) {
    struct Case {
        const char* shown;
        const char* typed;
        char code[4];
    } const cases[] = {
        {"DWRD", "lstb", {'l', 's', 't', 'b'}}, {"lstb", "ABCDE", {'A', 'B', 'C', 'D'}},
        {"ABCD", "ab", {'a', 'b', 0, 0}},       {"ab", "", {0, 0, 0, 0}},
        {"", "????", {'?', '?', '?', '?'}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(answer(c.typed, "caption", IDOK)) << c.typed;
        EXPECT_EQ(shownCode, c.shown);
        EXPECT_EQ(std::memcmp(field->code, c.code, 4), 0) << c.typed;
        EXPECT_STREQ(field->caption, "caption");
    }
}

TEST_F(FieldDialogTest, OpensWithTheFieldsTextsAndKeepsACaptionLongerThanAFileRecord) {
    const std::string longCaption(300, 'x');
    ASSERT_TRUE(answer("PSTR", longCaption.c_str(), IDOK));
    EXPECT_EQ(shownCode, "DWRD");
    EXPECT_EQ(shownCaption, "Width");
    EXPECT_EQ(std::string(field->code, 4), "PSTR");
    EXPECT_EQ(field->caption, longCaption);
}

TEST_F(FieldDialogTest, CancelAfterChangingBothBoxesLeavesTheFieldAsItWas) {
    rows.link();
    const char* captionBefore = field->caption;
    EXPECT_FALSE(answer("hlng", "Changed", IDCANCEL));
    EXPECT_EQ(std::string(field->code, 4), "DWRD");
    EXPECT_EQ(field->caption, captionBefore);
    EXPECT_STREQ(field->caption, "Width");
    EXPECT_TRUE(rows.linked);
}

TEST_F(FieldDialogTest, EscapeAndTheCloseBoxCancel) {
    const UINT closers[] = {WM_KEYDOWN, WM_SYSCOMMAND};
    for (UINT closer : closers) {
        EXPECT_FALSE(edit([&](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_FIELD_CODE, "XXXX");
            if (closer == WM_KEYDOWN) {
                pressKey(GetDlgItem(dialog, IDC_FIELD_CODE), VK_ESCAPE);
            } else {
                PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
        }));
        EXPECT_EQ(std::string(field->code, 4), "DWRD");
    }
}

TEST_F(FieldDialogTest, ResizingKeepsTheIconButtonAtTheRightAndStretchesBoxesAndButtons) {
    struct Seen {
        RECT code, choice, caption, ok, cancel, labelBefore, labelAfter;
        int x0, width, height;
        LRESULT image;
    } seen{};
    edit([&](HWND dialog) {
        seen.x0 = controlRect(dialog, IDC_FIELD_CODE).left;
        HWND label = FindWindowExA(dialog, nullptr, "Static", "Field caption:");
        seen.labelBefore = childRect(label);
        SetWindowPos(dialog, nullptr, 0, 0, 520, 300, SWP_NOMOVE | SWP_NOZORDER);
        RECT client;
        GetClientRect(dialog, &client);
        seen.width = client.right;
        seen.height = client.bottom;
        seen.code = controlRect(dialog, IDC_FIELD_CODE);
        seen.choice = controlRect(dialog, IDC_FIELD_CODE_CHOICE);
        seen.caption = controlRect(dialog, IDC_FIELD_CAPTION);
        seen.ok = controlRect(dialog, IDOK);
        seen.cancel = controlRect(dialog, IDCANCEL);
        seen.labelAfter = childRect(label);
        seen.image = SendDlgItemMessageA(dialog, IDC_FIELD_CODE_CHOICE, BM_GETIMAGE, IMAGE_ICON, 0);
        clickButton(dialog, IDCANCEL);
    });
    const int w = seen.width;
    const int h = seen.height;
    const int x0 = seen.x0;
    const RECT expected[] = {
        {x0, 4, w - 31, 28},   {w - 29, 4, w - 5, 28}, {x0, 32, w - 4, h - 28},
        {0, h - 24, w / 2, h}, {w / 2, h - 24, w, h},
    };
    const RECT* actual[] = {&seen.code, &seen.choice, &seen.caption, &seen.ok, &seen.cancel};
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(EqualRect(actual[i], &expected[i])) << "control " << i;
    EXPECT_FALSE(IsRectEmpty(&seen.labelBefore));
    EXPECT_TRUE(EqualRect(&seen.labelBefore, &seen.labelAfter));
    EXPECT_NE(seen.image, 0);
}

}  // namespace
}  // namespace guitest
