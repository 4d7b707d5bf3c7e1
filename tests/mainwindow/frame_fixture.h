#pragma once
// A real main frame on the display for each test, and a minimal view to put on its tabs.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <string>

#include "mainwindow/main_frame.h"

namespace guitest {

// Posted to a view's window; the view records which ones it was handed.
constexpr UINT kProbeMessage = WM_APP + 1;

// A plain child window of the main window that passes commands on to it, as the real views do.
class TestView : public TfrmView {
  public:
    TestView(TfrmMain* owner, const char* text);
    void SetBounds(const RECT& bounds) override;
    // Takes a new caption and announces it, as the real views do.
    void Rename(const char* text);

    unsigned probesSeen = 0;  // bit n set for a probe with wParam n
};

// Dispatches the queued messages until the condition holds; false after a few seconds without.
template <typename Condition>
bool pumpUntil(Condition condition) {
    const ULONGLONG deadline = GetTickCount64() + 5000;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (condition()) return true;
        if (GetTickCount64() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

inline void pumpPending() {
    pumpUntil([] { return true; });
}

// The window's rectangle in the client coordinates of its parent.
RECT placeOf(HWND window);
// Whether the window covers exactly the rectangle, in the client coordinates of its parent.
bool placedOn(HWND window, RECT expected);

class MainFrameTest : public testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A new view on a new tab, activated as every command that opens a view does.
    TestView* openView(const char* caption);
    int tabCount() const;
    std::string tabText(int index) const;
    TabEntry* entryOfTab(int index) const;
    RECT displayArea() const;
    // The main window's client area above the status bar, which spans its width.
    RECT areaAboveStatusBar() const;

    TfrmMain* frame = nullptr;
    HWND mainWindow = nullptr;
};

}  // namespace guitest
