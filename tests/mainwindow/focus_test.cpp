// The focus is saved when another application is activated and restored on the way back.
#include <cstdio>
#include <cstring>

#include "frame_fixture.h"
#include "platform/debug_output.h"

namespace guitest {
namespace {

char debugText[512];

void collectDebugText(const char* text) {
    std::strncat(debugText, text, sizeof(debugText) - std::strlen(debugText) - 1);
}

class FocusTest : public MainFrameTest {
  protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        first = openView("first");
        second = openView("second");
        pumpPending();
        debugText[0] = '\0';
        previousSink = platform::setDebugOutputSink(collectDebugText);
    }
    void TearDown() override {
        platform::setDebugOutputSink(previousSink);
        MainFrameTest::TearDown();
    }
    static std::string line(const char* format, HWND window) {
        char text[64];
        std::snprintf(text, sizeof(text), format, static_cast<unsigned>(reinterpret_cast<uintptr_t>(window)));
        return text;
    }

    TestView* first = nullptr;
    TestView* second = nullptr;
    platform::DebugOutputSink previousSink = nullptr;
};

TEST_F(FocusTest, ReactivationGivesTheFocusBackThroughAPostedMessage) {
    ASSERT_EQ(GetFocus(), second->hwnd);
    SendMessageA(mainWindow, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(frame->hwndLastFocus, second->hwnd);
    SetFocus(first->hwnd);

    SendMessageA(mainWindow, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(GetFocus(), first->hwnd) << "restored before the activation was over";
    MSG queued;
    ASSERT_TRUE(PeekMessageA(&queued, mainWindow, WM_USER, WM_USER, PM_NOREMOVE));
    EXPECT_EQ(queued.lParam, reinterpret_cast<LPARAM>(second->hwnd));
    EXPECT_TRUE(pumpUntil([this] { return GetFocus() == second->hwnd; }));

    EXPECT_EQ(debugText,
              line("last focused set to %x\n", second->hwnd) + line("restoring focus to %x\n", second->hwnd));
}

TEST_F(FocusTest, ActivationBeforeAnyDeactivationLeavesTheFocusWhereItIs) {
    ASSERT_EQ(frame->hwndLastFocus, nullptr);
    SendMessageA(mainWindow, WM_ACTIVATEAPP, TRUE, 0);
    pumpPending();
    EXPECT_EQ(GetFocus(), second->hwnd);
    EXPECT_EQ(debugText, std::string("restoring focus to 0\n"));
}

}  // namespace
}  // namespace guitest
