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
TEST_F(FieldDialogTest, OkTakesAtMostFourCharactersAsTypedZeroFilledAndACaptionOfAnyLength) {
    const std::string longCaption(300, 'x');
    struct Case {
        const char* shownCode;
        const char* shownCaption;
        const char* typedCode;
        const char* typedCaption;
        char code[4];
    } const cases[] = {
        {"DWRD", "Width", "lstb", "List", {'l', 's', 't', 'b'}},
        {"lstb", "List", "ABCDE", longCaption.c_str(), {'A', 'B', 'C', 'D'}},
        {"ABCD", longCaption.c_str(), "ab", "", {'a', 'b', 0, 0}},
        {"ab", "", "", "none", {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(edit([&](HWND dialog) {
            EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_FIELD_CODE)), c.shownCode);
            EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_FIELD_CAPTION)), c.shownCaption);
            SetDlgItemTextA(dialog, IDC_FIELD_CODE, c.typedCode);
            SetDlgItemTextA(dialog, IDC_FIELD_CAPTION, c.typedCaption);
            clickButton(dialog, IDOK);
        }));
        EXPECT_EQ(std::memcmp(field->code, c.code, 4), 0) << c.typedCode;
        EXPECT_STREQ(field->caption, c.typedCaption);
    }
}

TEST_F(FieldDialogTest, CancelEscapeAndTheCloseBoxLeaveTheFieldAsItWas) {
    rows.link();
    const char* captionBefore = field->caption;
    const DialogStep closers[] = {
        [](HWND dialog) { clickButton(dialog, IDCANCEL); },
        [](HWND dialog) { pressKey(GetDlgItem(dialog, IDC_FIELD_CODE), VK_ESCAPE); },
        [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const DialogStep& close : closers) {
        EXPECT_FALSE(edit([&](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_FIELD_CODE, "hlng");
            SetDlgItemTextA(dialog, IDC_FIELD_CAPTION, "Changed");
            close(dialog);
        }));
        EXPECT_EQ(std::string(field->code, 4), "DWRD");
        EXPECT_EQ(field->caption, captionBefore);
        EXPECT_STREQ(field->caption, "Width");
        EXPECT_TRUE(rows.linked);
    }
}

TEST_F(FieldDialogTest, ResizingStretchesTheBoxesAndSplitsTheBottomRowInTwo) {
    edit([](HWND dialog) {
        const int x0 = placeOf(GetDlgItem(dialog, IDC_FIELD_CODE)).left;  // the resource's, kept
        SetWindowPos(dialog, nullptr, 0, 0, 501, 333, SWP_NOMOVE | SWP_NOZORDER);
        RECT client;
        GetClientRect(dialog, &client);
        const int w = client.right;
        const int h = client.bottom;
        const int ids[] = {IDC_FIELD_CODE, IDC_FIELD_CODE_CHOICE, IDC_FIELD_CAPTION, IDOK, IDCANCEL};
        const RECT expected[] = {
            {x0, 4, w - 31, 28},   {w - 29, 4, w - 5, 28}, {x0, 32, w - 4, h - 28},
            {0, h - 24, w / 2, h}, {w / 2, h - 24, w, h},
        };
        for (int i = 0; i < 5; ++i) EXPECT_TRUE(placedOn(GetDlgItem(dialog, ids[i]), expected[i])) << ids[i];
        clickButton(dialog, IDCANCEL);
    });
}

}  // namespace
}  // namespace guitest
