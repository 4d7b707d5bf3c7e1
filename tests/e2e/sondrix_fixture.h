#pragma once
// Each test runs Sondrix.exe in a fresh working directory holding a copy of the bundled template
// library, and drives it as a user does: keys through the system's input queue, windows found by
// polling, texts read by messages across processes. A step that does not come about in time throws,
// which fails the test with the step's description; the process is killed in any case.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

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
// Descendants of the window of the class, in z order.
std::vector<HWND> childrenOf(HWND parent, const std::string& className);

// Keys through the system's input queue: they reach the focused window of the foreground window
// with the key state a user's hand would leave, so accelerators and dialogs see them as typed.
void pressKey(WORD key);
// Characters (UTF-8) rather than keys, as an input method sends them: text needs no Shift, whose state
// Wine may reset (see pressChordFor).
void typeText(const std::string& text);

struct TemplateRow {
    const char* code;  // four characters
    const char* caption;
};

// The bytes of a template file with these rows.
testsupport::Bytes templateFile(const std::vector<TemplateRow>& rows);

// Whether one of the dialog's static controls shows exactly the text; the failure lists them all.
testing::AssertionResult showsText(HWND dialog, const std::string& text);

class SondrixTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (with the arguments) and waits until its main window has the keyboard, or
    // until it shows a dialog.
    void startProgram(const std::string& arguments = "");
    bool hasEnded() const { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }

    // A chord a user presses once. Wine sets its modifier keys to the X server's state whenever one
    // of the program's windows takes the X focus, which can drop an injected Ctrl or Alt between its
    // press and the key's: a chord that had no effect at all is pressed again, twice at most.
    template <typename Effect>
    void pressChordFor(WORD modifier, WORD key, Effect effect, const std::string& what) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            pressChord(modifier, key);
            if (waitFor(effect, 3000)) return;
        }
        failStep("timed out waiting for " + what);
    }
    // Ctrl with the key, once the main window has the keyboard, so that the accelerators see it.
    template <typename Effect>
    void pressCommandFor(WORD key, Effect effect, const std::string& what) {
        waitForMainWindow();
        pressChordFor(VK_CONTROL, key, effect, what);
    }
    // Ctrl with the key, for a command that shows a dialog.
    void pressDialogCommand(WORD key) {
        pressCommandFor(
            key, [&] { return dialogShown(); }, std::string("a dialog after Ctrl+") + char(key));
    }
    // Ctrl with the key, for a command whose effect is the window's new text.
    void pressCommandForText(WORD key, HWND window, const std::string& text) {
        pressCommandFor(
            key, [&] { return textOf(window) == text; }, "\"" + text + "\" after Ctrl+" + char(key));
    }
    // A menu item by its underlined letters: Alt with the menu's, then the item's.
    void chooseMenuItem(WORD menuKey, WORD itemKey);
    // The visible dialog of the program with this title, once it has the keyboard.
    HWND waitForDialog(const std::string& title);
    // The open or save file dialog, once it has the keyboard.
    HWND waitForFileDialog();
    // In the open or save file dialog: the name is typed into its file name box and confirmed; a
    // name with a folder goes into the folder first.
    void chooseFile(const std::string& name);
    // In the template selection dialog: the template chosen by its first letter, then confirmed.
    void chooseTemplate(const std::string& name);
    // Ctrl+O, the file, the template; the new document view.
    HWND openDocument(const std::string& file, const std::string& templateName);
    // Through Ctrl+L and the list's Edit button; the editor's view once it is shown.
    HWND openTemplateEditor(const std::string& name);
    // The value dialog, showing the row's value as expected, answered with the text, which replaces
    // the value as the dialog starts with all of it selected.
    void answerValue(const std::string& shownValue, const std::string& value);
    // The message box with the title, showing the text, closed by Enter.
    void confirmMessage(const std::string& title, const std::string& text);
    // The main window's view of the class ("TfrmDocument", "TfrmTemplate") once it has the keyboard,
    // and shows the text when one is given.
    HWND waitForView(const std::string& className, const std::string& text = "");
    void waitForText(HWND window, const std::string& text);
    void waitUntilClosed(HWND window);
    // Until the main window or one of its children has the keyboard again.
    void waitForMainWindow();
    // The status bar's first part: the current row's offset and size.
    void waitForStatus(const std::string& text) {
        waitForText(childrenOf(mainWindow, "msctls_statusbar32").at(0), text);
    }
    // The file's bytes once they are the expected ones, or when waiting for them timed out.
    testsupport::Bytes waitForBytes(const std::string& name, const testsupport::Bytes& expected);
    // The program's end: its exit code once it has ended.
    DWORD waitForExit();

    // Throws with what the step was waiting for and what the program showed at that moment.
    [[noreturn]] void failStep(const std::string& what) const;
    template <typename Condition>
    void require(Condition condition, const std::string& what) const {
        if (!waitFor(condition)) failStep("timed out waiting for " + what);
    }

    testsupport::TempDir work;
    PROCESS_INFORMATION process{};
    HWND mainWindow = nullptr;

  private:
    static void pressChord(WORD modifier, WORD key);
    // Whether the program shows a dialog or a message box.
    bool dialogShown() const;
    // The visible top-level windows of the program, of the class (and with the title, when given).
    std::vector<HWND> topWindows(const std::string& className, const std::string& title = "") const;
    // Whether the focus lies in the top-level window, and the top-level window is in front.
    bool focusIsIn(HWND topWindow) const;
    HWND focusedWindow() const;
    // In a template dialog: the template picked by its first letter, which no other may share.
    void selectTemplate(HWND dialog, const std::string& name);
};

}  // namespace e2e
