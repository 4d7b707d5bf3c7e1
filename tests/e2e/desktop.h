#pragma once
// What a user sees of another process's windows, and the keys a user presses, from outside the
// process: every window is found by polling, every text is read by messages across processes.
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Polls the condition until it holds or the time is up.
template <typename Condition>
bool waitFor(Condition condition, DWORD timeoutMs = 10000) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() > deadline) return false;
        Sleep(15);
    }
}

// Text of any window in UTF-8, asked with WM_GETTEXT so that edit controls of other processes answer
// too.
std::string textOf(HWND window);
std::string classOf(HWND window);

// The visible top-level windows of the process, of the class (and with the title, when given).
std::vector<HWND> topWindows(DWORD processId, const std::string& className, const std::string& title = "");
// Descendants of the window of the class, in z order.
std::vector<HWND> childrenOf(HWND parent, const std::string& className);
// The texts of every static control of a dialog, in z order.
std::vector<std::string> staticTexts(HWND dialog);
// The text of the selected item of a list view in the process, empty when none is selected.
std::string selectedItemText(HANDLE process, HWND listView);
// The window of the thread that has the keyboard focus.
HWND focusedWindow(DWORD threadId);
// Whether that window lies in the top-level window, and the top-level window is in front.
bool focusIsIn(DWORD threadId, HWND topWindow);

// The process's visible windows, the window in front and the one with the keyboard, for messages.
std::string describeDesktop(DWORD processId, DWORD threadId);

// Keys through the system's input queue: they reach the focused window of the foreground window
// with the key state a user's hand would leave, so accelerators and dialogs see them as typed.
void pressKey(WORD key);
void pressChord(WORD modifier, WORD key);
// Characters (UTF-8) rather than keys, as an input method sends them: text needs no Shift, whose state
// Wine may reset (see the fixture's chords).
void typeText(const std::string& text);

}  // namespace e2e
