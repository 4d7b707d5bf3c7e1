// Both ways out of the program end the message loop with exit code 0, without a question about the
// unsaved document, after a teardown that leaves no tracked block behind; and every run starts a
// fresh "debug.log".
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
    work.write("debug.log", std::string(kOldLogLine) + "\n");
    startProgram();
    openTemplateEditor("wav.tmpl");
    pressDialogCommand('N');
    chooseTemplate("bmp.tmpl");
    HWND document = waitForView("TfrmDocument");
    pressKey(VK_HOME);
    pressKey(VK_DOWN);
    pressKey(VK_RETURN);
    answerValue("0", "54");
    waitForText(document, "Untitled [*]");

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
