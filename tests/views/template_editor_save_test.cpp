// Saving from the editor: the file, the library entry, and the clones others hold.
#include "resource_ids.h"
#include "shell/strings.h"
#include "template_editor_fixture.h"
#include "templates/template_library.h"
#include "views/template/template_field_dialog_ids.h"

namespace guitest {
namespace {

class EditorSaveTest : public TemplateEditorTest {
  protected:
    void insertRow(TfrmTemplate* editor, const char* code) {
        withFieldDialog([&] { SendMessageA(editor->hwnd, WM_KEYDOWN, VK_INSERT, 1); },
                        [code](HWND dialog) {
                            SetDlgItemTextA(dialog, IDC_FIELD_CODE, code);
                            clickButton(dialog, IDOK);
                        });
    }
};

TEST_F(EditorSaveTest, SaveWritesTheFileAndReplacesTheLibraryEntryInPlaceLeavingEarlierClones) {
    Template* first = addLibraryTemplate("a.tmpl", "DWRD");
    addLibraryTemplate("b.tmpl", "DWRD PSTR");
    Template* third = addLibraryTemplate("c.tmpl", "hlng");
    Template* openedBefore = templateLibrary.templates[1]->clone();  // as a document holds it
    TfrmTemplate* editor = openEditor(templateLibrary.templates[1]);
    insertRow(editor, "LSTB");
    ASSERT_EQ(tabText(0), "b.tmpl [*]");

    EXPECT_EQ(editor->Save(), 0);
    EXPECT_TRUE(editor->saved);
    ASSERT_EQ(templateLibrary.count, 3);
    EXPECT_EQ(templateLibrary.templates[0], first);
    EXPECT_EQ(templateLibrary.templates[2], third);
    EXPECT_EQ(codesOf(*templateLibrary.templates[1]), "LSTB DWRD PSTR");
    EXPECT_STREQ(templateLibrary.templates[1]->name, "b.tmpl");
    EXPECT_NE(templateLibrary.templates[1], editor->templ);
    EXPECT_EQ(codesOf(*openedBefore), "DWRD PSTR");
    Template reloaded;
    ASSERT_EQ(reloaded.load(dir.path("b.tmpl").c_str()), 0);
    EXPECT_EQ(codesOf(reloaded), "LSTB DWRD PSTR");

    editor->UpdateCaption();  // as the Save command does
    EXPECT_EQ(tabText(0), "b.tmpl");
    insertRow(editor, "LSTE");  // the editor goes on with its own clone
    EXPECT_EQ(codesOf(*templateLibrary.templates[1]), "LSTB DWRD PSTR");
    delete openedBefore;
}

TEST_F(EditorSaveTest, AFailedSaveChangesNothing) {
    Template* source = addLibraryTemplate("lost.tmpl", "DWRD");
    delete[] source->path;
    source->path = DupString(dir.path("missing\\lost.tmpl").c_str());
    TfrmTemplate* editor = openEditor(source);
    insertRow(editor, "PSTR");
    EXPECT_LT(editor->Save(), 0);
    EXPECT_FALSE(editor->saved);
    EXPECT_EQ(templateLibrary.templates[0], source);
    EXPECT_EQ(codesOf(*source), "DWRD");
    EXPECT_EQ(tabText(0), "lost.tmpl [*]");
}

TEST_F(EditorSaveTest, SaveAsAsksNothingWithoutADocumentNorDoesSaveWithoutATab) {
    auto asked = [this](int command) {
        return driveModal("Save As", [&] { SendMessageA(mainWindow, WM_COMMAND, command, 0); },
                          {[](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }});
    };
    EXPECT_EQ(asked(cmdSave), 0u);
    EXPECT_EQ(asked(cmdSaveAs), 0u);
    insertRow(openEditor(addLibraryTemplate("kept.tmpl", "DWRD")), "PSTR");
    EXPECT_EQ(asked(cmdSaveAs), 0u);
    EXPECT_EQ(tabText(0), "kept.tmpl [*]");
}

}  // namespace
}  // namespace guitest
