// The template library as a user works on it: a row inserted in the editor, saved to the file,
// and new documents made from the library laid out with it.
#include <string>
#include <vector>

#include "desktop.h"
#include "sondrix_fixture.h"
#include "views/template/template_field_dialog_ids.h"

namespace e2e {
namespace {

const TemplateRow kFirstRow = {"uwrd", "First"};
const TemplateRow kSecondRow = {"ulng", "Second"};
const TemplateRow kInsertedRow = {"PSTR", "Added by hand"};

class TemplateTest : public SondrixTest {
  protected:
    // The field dialog answered with a code and a caption, typed box after box.
    void answerField(const TemplateRow& row) {
        HWND dialog = waitForDialog("Edit field:");
        HWND code = GetDlgItem(dialog, IDC_FIELD_CODE);
        HWND caption = GetDlgItem(dialog, IDC_FIELD_CAPTION);
        typeText(row.code);
        waitForText(code, row.code);
        // Past the button beside the code box.
        pressKey(VK_TAB);
        pressKey(VK_TAB);
        typeText(row.caption);
        waitForText(caption, row.caption);
        pressKey(VK_RETURN);
        waitUntilClosed(dialog);
    }
};

TEST_F(TemplateTest, InsertedRowIsSavedToTheLibrary) {
    work.write("TMPL\\small.tmpl", templateFile({kFirstRow, kSecondRow}));
    startProgram();

    HWND editor = openTemplateEditor("small.tmpl");
    waitForText(editor, "small.tmpl");
    pressKey(VK_HOME);
    pressKey(VK_INSERT);
    answerField(kInsertedRow);
    waitForText(editor, "small.tmpl [*]");
    pressCommandForText('S', editor, "small.tmpl");

    const testsupport::Bytes expected = templateFile({kInsertedRow, kFirstRow, kSecondRow});
    EXPECT_EQ(waitForBytes("TMPL\\small.tmpl", expected), expected);

    // A new document from the library starts with the inserted row: a string, asked for by its caption.
    pressDialogCommand('N');
    chooseTemplate("small.tmpl");
    waitForView("TfrmDocument");
    pressKey(VK_HOME);
    pressKey(VK_RETURN);
    HWND query = waitForDialog("Enter value:");
    EXPECT_TRUE(showsText(query, kInsertedRow.caption));
    pressKey(VK_ESCAPE);
    waitUntilClosed(query);
}

}  // namespace
}  // namespace e2e
