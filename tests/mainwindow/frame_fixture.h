#pragma once
// A real main frame on the display for each test, a minimal view to put on its tabs, and modal
// dialogs driven from inside their own message loop.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

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

using DialogStep = std::function<void(HWND dialog)>;

// Runs showModal (which returns when the dialog ends) while a timer hands the dialog this thread
// shows titled `title` to the steps, one per tick. How many steps ran: fewer than given means the
// dialog closed early or never came.
size_t driveModal(const std::string& title, const std::function<void()>& showModal,
                  std::vector<DialogStep> steps);

std::string windowText(HWND window);
// The window's rectangle in the client coordinates of its parent.
RECT placeOf(HWND window);
// Whether the window covers exactly the rectangle, in the client coordinates of its parent.
bool placedOn(HWND window, RECT expected);

// Input as the user gives it, posted to the window that has it.
void clickButton(HWND dialog, int id);
void pressKey(HWND window, WPARAM key);
void doubleClickAt(HWND window, POINT point);
// Shift as GetKeyState reports it, for as long as the object lives.
struct ShiftHeld {
    ShiftHeld() { setShift(0x80); }
    ~ShiftHeld() { setShift(0); }
    static void setShift(BYTE state);
};

class MainFrameTest : public testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A new view on a new tab, activated as every command that opens a view does.
    TestView* openView(const char* caption);
    int tabCount() const { return static_cast<int>(SendMessageA(frame->hwndTabs, TCM_GETITEMCOUNT, 0, 0)); }
    std::string tabText(int index) const;
    TabEntry* entryOfTab(int index) const;
    RECT displayArea() const;
    // The main window's client area above the status bar, which spans its width.
    RECT areaAboveStatusBar() const;
    // Focus away from the views, to the tab control.
    void focusTabs() const { SetFocus(frame->hwndTabs); }

    TfrmMain* frame = nullptr;
    HWND mainWindow = nullptr;
};

}  // namespace guitest
