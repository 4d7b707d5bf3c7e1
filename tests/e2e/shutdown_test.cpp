// Both ways out of the program end the message loop with exit code 0, without a question about the
// unsaved document, after a teardown that leaves no tracked block behind; and every run starts a
// fresh "debug.log". A file opened from another folder moves neither the library nor the log.
#include <ostream>
#include <string>

#include "desktop.h"
#include "sondrix_fixture.h"

namespace e2e {
namespace {

constexpr char kCleanReport[] = "Memory leaks: 0 (0 bytes)\nEnd of Memory leaks list\n";
constexpr char kOldLogLine[] = "a line of the previous run";

class ShutdownTest;

struct WayOut {
    const char* name;
    void (ShutdownTest::*leave)();
};

void PrintTo(const WayOut& way, std::ostream* out) {
    *out << way.name;
}

// The log as text, whichever line ends the runtime wrote.
std::string logText(const testsupport::Bytes& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (c != '\r') text.push_back(static_cast<char>(c));
    }
    return text;
}

class ShutdownTest : public SondrixTest, public testing::WithParamInterface<WayOut> {
  public:
    void pressAltX() {
        pressChordFor(
            VK_MENU, 'X', [&] { return program.hasEnded(); }, "the program to end after Alt+X");
    }
    void closeMainWindow() { PostMessageA(mainWindow, WM_CLOSE, 0, 0); }
};

const WayOut kWaysOut[] = {
    {"AltX", &ShutdownTest::pressAltX},
    {"CloseWindow", &ShutdownTest::closeMainWindow},
};

TEST_P(ShutdownTest, EndsWithExitCodeZeroAndACleanLeakReport) {
    const TemplateRow first = {"uwrd", "First"}, second = {"ulng", "Second"};
    work.write("debug.log", std::string(kOldLogLine) + "\n");
    work.write("TMPL\\small.tmpl", templateFile({first, second}));
    work.makeDir("elsewhere\\TMPL");
    work.write("elsewhere\\data.bin", testsupport::Bytes{1, 0, 0, 0, 0, 0});
    startProgram();
    pressDialogCommand('O');
    chooseFile("elsewhere\\data.bin");
    chooseTemplate("small.tmpl");
    HWND document = waitForView("TfrmDocument");
    pressKey(VK_HOME);
    pressKey(VK_RETURN);
    answerValue("1", "54");
    waitForText(document, "data.bin [*]");

    HWND editor = openTemplateEditor("small.tmpl");
    pressKey(VK_HOME);
    pressKey(VK_DELETE);
    waitForText(editor, "small.tmpl [*]");
    pressCommandForText('S', editor, "small.tmpl");
    EXPECT_EQ(work.read("TMPL\\small.tmpl"), templateFile({second}));

    waitForMainWindow();
    (this->*GetParam().leave)();

    EXPECT_EQ(waitForExit(), 0u);
    const std::string log = logText(work.read("debug.log"));
    EXPECT_EQ(log.find(kOldLogLine), std::string::npos) << log;
    ASSERT_GE(log.size(), sizeof kCleanReport - 1) << log;
    EXPECT_EQ(log.substr(log.size() - (sizeof kCleanReport - 1)), kCleanReport) << log;
}

INSTANTIATE_TEST_SUITE_P(WaysOut, ShutdownTest, testing::ValuesIn(kWaysOut),
                         [](const testing::TestParamInfo<WayOut>& way) {
                             return std::string(way.param.name);
                         });

}  // namespace
}  // namespace e2e
