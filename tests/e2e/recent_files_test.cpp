// File > the recent files: kept across starts, reopened with the template they were read with, and a
// file gone since says so and leaves the list.
#include "sondrix_fixture.h"

namespace e2e {
namespace {

TEST_F(SondrixTest, ARecentFileReopensWithItsTemplateAfterARestartAndOneGoneSaysSo) {
    work.write("TMPL\\list.tmpl",
               templateFile({{"BCNT", "Count"}, {"LSTC", "Item"}, {"UWRD", "Value"}, {"LSTE", "End"}}));
    work.write("first.dat", testsupport::Bytes{1, 0, 7});
    work.write("gone.dat", testsupport::Bytes{1, 0, 7});
    startProgram();
    for (const char* name : {"first.dat", "gone.dat"}) {
        openFile(name, "list.tmpl");
        waitForView("TfrmDocument", name);
    }
    pressChordFor(VK_MENU, 'X', "the program to end", [&] { return hasEnded(); });
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::filesystem::remove(work.native("gone.dat"));

    startProgram();
    chooseMenuItem('F', '2');
    waitForView("TfrmDocument", "first.dat");  // no template dialog came first
    waitForStatus("Offset $0 (0), size 1");    // as a list
    chooseMenuItem('F', '2');
    closeDialogShowing("Sondrix", work.path("gone.dat") +
                                      "\n\nThe file is not there any more, so it leaves the list of "
                                      "recent files.");
    EXPECT_EQ(work.text("Sondrix.ini"),
              "dat=list.tmpl\nrecent:1=" + work.path("first.dat") + "|list.tmpl\nrecent:2=\n");
}

}  // namespace
}  // namespace e2e
