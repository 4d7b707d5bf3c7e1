// Files dropped on the main window open one tab each, the selection dialog preselecting the
// template their extension names.
#include "document_view_fixture.h"
// after windows.h, whose types it uses
#include <commctrl.h>
#include <shlobj.h>

#include "shell/strings.h"
#include "templates/template_library.h"
#include "views/template/template_choice_list_ids.h"

namespace guitest {
namespace {

// Files as the shell hands them over in a drop.
HGLOBAL droppedFiles(const std::vector<std::string>& paths) {
    std::wstring names;
    for (const std::string& path : paths) names += std::wstring(path.begin(), path.end()) + L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    names.copy(reinterpret_cast<wchar_t*>(files + 1), names.size());
    GlobalUnlock(memory);
    return memory;
}

class DocumentOpen : public DocumentViewTest {
  protected:
    void TearDown() override {
        templateLibrary.clear();
        DocumentViewTest::TearDown();
    }
    void addTemplate(const char* name, const std::string& rows) {
        auto* entry = new Template;
        fillTemplate(*entry, rows);
        entry->name = DupString(name);
        entry->link();
        templateLibrary.add(entry);
    }
};

TEST_F(DocumentOpen, DroppedFilesOpenOneTabEachWithTheTemplateTheirExtensionNamesPreselected) {
    addTemplate("first.tmpl", "DWRD");
    addTemplate("PNG.tmpl", "UBYT:Byte");
    dir.write("a.png", Bytes{7});
    dir.write("b.x.Png", Bytes{9});
    std::string preselected;
    DialogStep confirm = [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
        char text[64] = "";
        ListView_GetItemText(list, ListView_GetNextItem(list, -1, LVNI_SELECTED), 0, text, sizeof text);
        preselected += std::string(text) + " ";
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
    HGLOBAL drop = droppedFiles({dir.path("a.png"), dir.path("b.x.Png")});
    EXPECT_EQ(driveModal("Select a template:",
                         [&] { SendMessageA(mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0); },
                         {confirm, confirm}),
              2u);
    EXPECT_EQ(preselected, "PNG.tmpl PNG.tmpl ");
    ASSERT_EQ(frame->count, 2);
    EXPECT_EQ(tabText(0), "a.png");
    EXPECT_EQ(tabText(1), "b.x.Png");
    view = static_cast<TfrmDocument*>(frame->entries[1]->view);
    EXPECT_EQ(rows(), "UBYT 9");
}

}  // namespace
}  // namespace guitest
