// Files opened other than through the Open dialog: named on the command line with a template or
// without one, and the selection dialog preselecting what the file's extension or the last choice
// for it names, so that a known file opens by Enter, Enter.
#include "desktop.h"
#include "sondrix_fixture.h"

namespace e2e {
namespace {

class OpenFilesTest : public SondrixTest {
  protected:
    void SetUp() override {
        SondrixTest::SetUp();
        work.write("TMPL\\list.tmpl",
                   templateFile({{"BCNT", "Count"}, {"LSTC", "Item"}, {"UWRD", "Value"}, {"LSTE", "End"}}));
    }
    // The first part of the status bar: the current row's offset and size.
    std::string status() const { return textOf(childrenOf(mainWindow, "msctls_statusbar32").at(0)); }
};

TEST_F(OpenFilesTest, AFileAndATemplateOnTheCommandLineOpenWithoutAQuestion) {
    work.write("two items.lst", testsupport::Bytes{2, 0, 1, 0, 2});
    startProgram("\"two items.lst\" LIST");
    HWND view = waitForView("TfrmDocument");
    waitForText(view, "two items.lst");
    require([&] { return status() == "Offset $0 (0), size 1"; }, "the count as the current row");
}

TEST_F(OpenFilesTest, TheDialogPreselectsByExtensionThenByTheLastChoiceForIt) {
    const testsupport::Bytes list{1, 0, 7};
    work.write("first.dat", list);
    work.write("second.dat", list);
    work.write("third.list", list);
    startProgram("first.dat");
    chooseTemplate("list.tmpl");  // nothing preselected it: the first template was
    HWND view = waitForView("TfrmDocument");
    waitForText(view, "first.dat");
    testsupport::Bytes settings = work.read("Sondrix.ini");
    EXPECT_EQ(std::string(settings.begin(), settings.end()), "dat=list.tmpl\n");

    for (const char* name : {"second.dat", "third.list"}) {
        pressDialogCommand('O');
        chooseFile(name);
        HWND dialog = waitForDialog("Select a template:");
        pressKey(VK_RETURN);
        waitUntilClosed(dialog);
        waitForText(waitForView("TfrmDocument"), name);
        require([&] { return status() == "Offset $0 (0), size 1"; }, std::string(name) + " as a list");
    }
}

}  // namespace
}  // namespace e2e
