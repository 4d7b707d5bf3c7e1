// How the message loop ends: Exit, the quit message, closing the main window.
#include <algorithm>

#include "frame_fixture.h"
#include "resource_ids.h"

namespace guitest {
namespace {

class MessageLoopTest : public MainFrameTest {
  protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        view = openView("view");
        pumpPending();
    }

    TestView* view = nullptr;
};

TEST_F(MessageLoopTest, ExitEndsTheLoopOnTheNextMessageWithoutDispatchingIt) {
    PostMessageA(view->hwnd, kProbeMessage, 0, 0);
    PostMessageA(mainWindow, WM_COMMAND, cmdExit, 0);
    PostMessageA(view->hwnd, kProbeMessage, 1, 0);
    EXPECT_EQ(frame->RunMessageLoop(), 0);
    EXPECT_EQ(view->probesSeen, 1u);
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, view->hwnd, kProbeMessage, kProbeMessage, PM_NOREMOVE))
        << "not taken";
    EXPECT_TRUE(IsWindow(mainWindow));
}

TEST_F(MessageLoopTest, AltXInAFocusedViewReachesTheFrameAsExit) {
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE withAlt[256];
    std::copy(keys, keys + 256, withAlt);
    withAlt[VK_MENU] = 0x80;
    SetKeyboardState(withAlt);
    PostMessageA(view->hwnd, WM_SYSKEYDOWN, 'X', 1 | (1 << 29));
    PostMessageA(view->hwnd, kProbeMessage, 0, 0);
    int exitCode = frame->RunMessageLoop();
    SetKeyboardState(keys);
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(frame->quitRequested);
    EXPECT_EQ(view->probesSeen, 0u);
}

TEST_F(MessageLoopTest, QuitMessageEndsTheLoopWithItsCodeAndOtherCommandsDoNot) {
    for (int code : {0, 3}) {
        view->probesSeen = 0;
        for (int command : {cmdUndo, cmdRedo, cmdPreferences, cmdHelpIndex, cmdHelpContents, cmdClose}) {
            PostMessageA(view->hwnd, WM_COMMAND, command, 0);
        }
        PostMessageA(view->hwnd, kProbeMessage, 0, 0);
        PostQuitMessage(code);
        EXPECT_EQ(frame->RunMessageLoop(), code);
        EXPECT_EQ(view->probesSeen, 1u);
        EXPECT_EQ(tabCount(), 1) << "Close closes nothing";
    }
}

TEST_F(MessageLoopTest, ClosingTheMainWindowEndsTheLoopWithZero) {
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(frame->RunMessageLoop(), 0);
    EXPECT_FALSE(IsWindow(mainWindow));
}

}  // namespace
}  // namespace guitest
