#pragma once
// Each test runs Sondrix.exe in a fresh working directory holding a copy of the bundled template
// library, and drives it as a user does: keys through the system's input queue, windows found by
// polling, texts read by messages across processes. A step that does not come about in time throws,
// which fails the test with the step's description; the process is killed in any case.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace e2e {

template <typename Condition>
bool waitFor(Condition condition, DWORD timeoutMs = 10000) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > deadline) return false;
        Sleep(15);
    }
    return true;
}

// In UTF-8, asked with WM_GETTEXT so that edit controls of other processes answer too.
inline std::string textOf(HWND window) {
    wchar_t text[4096] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    char utf8[4 * 4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

inline std::wstring wide(const std::string& utf8) {
    std::wstring text(utf8.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                                    static_cast<int>(text.size())));
    return text;
}

inline std::string classOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Direct children, in z order.
inline std::vector<HWND> childrenOf(HWND parent, const std::string& className) {
    std::vector<HWND> found;
    for (HWND child = nullptr; (child = FindWindowExA(parent, child, className.c_str(), nullptr));)
        found.push_back(child);
    return found;
}

// Through the system's input queue, keys reach the focused window of the foreground window with the
// key state a user's hand would leave, so accelerators and dialogs see them as typed.
inline void sendKeys(const std::vector<std::pair<WORD, DWORD>>& keys) {
    std::vector<INPUT> inputs;
    for (const auto& [key, flags] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = flags & KEYEVENTF_UNICODE ? 0 : key;
        input.ki.wScan =
            flags & KEYEVENTF_UNICODE ? key : static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

inline void pressKey(WORD key) {
    sendKeys({{key, 0}, {key, KEYEVENTF_KEYUP}});
}

// Characters rather than keys, as an input method sends them: text needs no Shift, whose state Wine
// may reset (see pressChordFor).
inline void typeText(const std::string& text) {
    std::vector<std::pair<WORD, DWORD>> keys;
    for (wchar_t unit : wide(text))
        keys.insert(keys.end(), {{unit, KEYEVENTF_UNICODE}, {unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}});
    sendKeys(keys);
}

// The text on the system clipboard, as any program reads it; empty when there is none.
inline std::string clipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE memory = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(memory));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return text;
}

// As another program copies it; without text the clipboard is emptied.
inline void putClipboardText(const std::string& text = "") {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    if (HGLOBAL memory = text.empty() ? nullptr : GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

struct TemplateRow {
    const char* code;  // four characters
    const char* caption;
};

inline testsupport::Bytes templateFile(const std::vector<TemplateRow>& rows) {
    std::string bytes;
    for (const TemplateRow& row : rows)
        bytes += static_cast<char>(std::strlen(row.caption)) + (row.caption + std::string(row.code));
    return {bytes.begin(), bytes.end()};
}

class SondrixTest : public testing::Test {
  protected:
    void SetUp() override {
        work.makeDir("TMPL");
        for (const auto& entry : std::filesystem::directory_iterator(SONDRIX_E2E_TEMPLATES))
            if (entry.path().extension() == ".tmpl")
                std::filesystem::copy(entry.path(), work.native("TMPL") / entry.path().filename());
        ASSERT_TRUE(work.exists("TMPL\\ico.tmpl")) << "no templates in " << SONDRIX_E2E_TEMPLATES;
    }
    // A failed test must never leave the program behind. Without a process the calls do nothing.
    void TearDown() override {
        TerminateProcess(process.hProcess, 1);  // nor to a process that has ended
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    // Until the main window has the keyboard, or, with a file to open, until it is shown. By default
    // the program built, in the test's folder.
    void startProgram(const std::string& arguments = "", const std::string& program = SONDRIX_E2E_PROGRAM,
                      const std::string& folder = "") {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string line = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
        if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            work.path(folder).c_str(), &startup, &process))
            failStep("Sondrix.exe did not start");
        std::vector<HWND> found;
        require([&] { return !(found = topWindows("TfrmMain")).empty(); }, "the main window");
        mainWindow = found.front();
        SetForegroundWindow(mainWindow);
        if (arguments.empty()) waitForMainWindow();
    }
    bool hasEnded() const { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }

    // Wine sets its modifier keys to the X server's state whenever one of the program's windows takes
    // the X focus, which can drop an injected Ctrl or Alt between its press and the key's: a chord
    // that had no effect at all is pressed again, twice at most.
    template <typename Effect>
    void pressChordFor(WORD modifier, WORD key, const std::string& what, Effect effect) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            sendKeys({{modifier, 0}, {key, 0}, {key, KEYEVENTF_KEYUP}, {modifier, KEYEVENTF_KEYUP}});
            if (waitFor(effect, 3000)) return;
        }
        failStep("timed out waiting for " + what);
    }
    // Ctrl with the key once the main window has the keyboard, so that the accelerators see it; until
    // the window shows the text, or without a window until a dialog shows.
    void pressCommand(WORD key, HWND window = nullptr, const std::string& text = "") {
        waitForMainWindow();
        pressChordFor(VK_CONTROL, key,
                      (window ? "\"" + text + "\"" : "a dialog") + " after Ctrl+" + char(key),
                      [&] { return window ? textOf(window) == text : !topWindows("#32770").empty(); });
    }
    // By the underlined letters: Alt with the menu's, then the item's.
    void chooseMenuItem(WORD menuKey, WORD itemKey) {
        waitForMainWindow();
        std::vector<HWND> popups;
        pressChordFor(VK_MENU, menuKey, "the menu", [&] { return !(popups = topWindows("#32768")).empty(); });
        pressKey(itemKey);
        waitUntilClosed(popups.front());
    }

    // The first one shown, once it has the keyboard.
    HWND waitForDialog(const std::string& title) {
        std::vector<HWND> found;
        require([&] { return !(found = topWindows("#32770", title)).empty() && focusIsIn(found.front()); },
                "the keyboard in the dialog \"" + title + "\"");
        return found.front();
    }
    // The open or save file dialog, once it has the keyboard.
    HWND waitForFileDialog() {
        HWND dialog = nullptr;
        require([&] { return fileNameEdit(dialog = GetForegroundWindow()) && focusIsIn(dialog); },
                "the keyboard in a file dialog");
        return dialog;
    }
    // Typed into the file name box and confirmed; a name with a folder goes into the folder first, as
    // a user browses there.
    void chooseFile(const std::string& name) {
        HWND dialog = waitForFileDialog();
        HWND edit = fileNameEdit(dialog);
        auto enter = [&](const std::string& text) {
            require([&] { return focusedWindow() == edit; }, "the keyboard in the file name box");
            typeText(text);
            require([&] { return textOf(edit) == text; }, "\"" + text + "\" in the file name box");
            pressKey(VK_RETURN);
        };
        const size_t folderEnd = name.rfind('\\');
        if (folderEnd != std::string::npos) {
            const std::string folder = name.substr(0, folderEnd);
            enter(folder);
            require([&] { return textOf(GetDlgItem(dialog, kLookInBox)) == folder; },
                    "the dialog in " + folder);
            SetWindowTextA(edit, "");
        }
        enter(name.substr(folderEnd + 1));
        waitUntilClosed(dialog);
    }
    // By its first letter, which no other template may share; without a name, the one the dialog
    // preselected. What the template lays out shows that it was the one chosen. The dialog names the
    // file it chooses for; a new document has none.
    void chooseTemplate(const std::string& name = "", const std::string& forFile = "") {
        HWND dialog = waitForDialog(forFile.empty() ? "Select a template:" : "Template for " + forFile);
        typeText(name.substr(0, 1));
        pressToClose(dialog, VK_RETURN);
    }
    // By Ctrl+O.
    void openFile(const std::string& file, const std::string& templateName = "") {
        pressCommand('O');
        chooseFile(file);
        chooseTemplate(templateName, file.substr(file.rfind('\\') + 1));
    }
    // The row's value, through the value dialog: it starts with all of the value selected, so the text
    // replaces it.
    void editValue(int row, const std::string& shownValue, const std::string& value) {
        pressKey(VK_HOME);
        for (int i = 0; i < row; ++i) pressKey(VK_DOWN);
        pressKey(VK_RETURN);
        HWND dialog = waitForDialog("Enter value:");
        HWND edit = childrenOf(dialog, "Edit").front();
        waitForText(edit, shownValue);
        typeText(value);
        require([&] { return textOf(edit) == value; }, "\"" + value + "\" in the value box");
        pressToClose(dialog, VK_RETURN);
    }
    // One of the dialog's static controls must show exactly the text; the key closes the dialog.
    void closeDialogShowing(const std::string& title, const std::string& text, WORD key = VK_RETURN) {
        HWND message = waitForDialog(title);
        std::vector<std::string> texts;
        for (HWND label : childrenOf(message, "Static")) texts.push_back(textOf(label));
        EXPECT_TRUE(std::find(texts.begin(), texts.end(), text) != texts.end())
            << "\"" << text << "\" is not among " << testing::PrintToString(texts);
        pressToClose(message, key);
    }

    // The view with the keyboard, and the text when one is given: a view just opened and the one it
    // hides are both shown for a moment, and the keyboard may go back to the old one before the new
    // one is made.
    HWND waitForView(const std::string& className, const std::string& text = "") {
        HWND view = nullptr;
        require(
            [&] {
                view = focusedWindow();
                return view && classOf(view) == className && IsChild(mainWindow, view) &&
                       IsWindowVisible(view) && (text.empty() || textOf(view) == text);
            },
            "the keyboard in a " + className + " view \"" + text + "\"");
        return view;
    }
    void waitForText(HWND window, const std::string& text) {
        std::string shown;
        if (!waitFor([&] { return (shown = textOf(window)) == text; }))
            failStep("timed out waiting for \"" + text + "\"; the window shows \"" + shown + "\"");
    }
    // The status bar's first part: the current row's offset and size.
    void waitForStatus(const std::string& text) {
        waitForText(childrenOf(mainWindow, "msctls_statusbar32").at(0), text);
    }
    // A part of the status bar: the bar writes it into memory of the program's own.
    std::string statusPart(int part) const {
        HWND bar = childrenOf(mainWindow, "msctls_statusbar32").at(0);
        size_t length = LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, part, 0));
        void* remote = VirtualAllocEx(process.hProcess, nullptr, length + 1, MEM_COMMIT, PAGE_READWRITE);
        std::string text(length + 1, '\0');
        if (remote) {
            SendMessageA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(remote));
            ReadProcessMemory(process.hProcess, remote, text.data(), length + 1, nullptr);
            VirtualFreeEx(process.hProcess, remote, 0, MEM_RELEASE);
        }
        text.resize(std::strlen(text.c_str()));
        return text;
    }
    void waitUntilClosed(HWND window) {
        require([&] { return !IsWindow(window) || !IsWindowVisible(window); }, "a window to close");
    }
    void pressToClose(HWND window, WORD key) {
        pressKey(key);
        waitUntilClosed(window);
    }
    void waitForMainWindow() {
        require([&] { return focusIsIn(mainWindow); }, "the keyboard in the main window");
    }
    // Once the file holds them, or when waiting for that timed out.
    void expectFile(const std::string& name, const testsupport::Bytes& expected) {
        waitFor([&] { return work.read(name) == expected; });
        EXPECT_EQ(work.read(name), expected) << name;
    }

    // With what the program showed at that moment.
    [[noreturn]] void failStep(const std::string& what) const {
        auto describe = [](HWND window) {
            return window ? classOf(window) + " \"" + textOf(window) + "\"" : "none";
        };
        std::string shown = what + "; shown:";
        for (const char* className : {"TfrmMain", "#32770", "#32768"})
            for (HWND window : topWindows(className)) shown += " [" + describe(window) + "]";
        throw std::runtime_error(shown + "; in front: " + describe(GetForegroundWindow()) +
                                 "; keyboard at: " + describe(focusedWindow()));
    }
    template <typename Condition>
    void require(Condition condition, const std::string& what) const {
        if (!waitFor(condition)) failStep("timed out waiting for " + what);
    }

    testsupport::TempDir work;
    PROCESS_INFORMATION process{};
    HWND mainWindow = nullptr;

  private:
    static constexpr int kFileNameBox = 0x47C;     // cmb13, the explorer-style dialog's file name box
    static constexpr int kOldFileNameBox = 0x480;  // edt1, the old-style dialog's
    static constexpr int kLookInBox = 0x471;       // cmb2, the folder the dialog shows

    // Visible, of the class, and with the title (in UTF-8) when one is given.
    std::vector<HWND> topWindows(const std::string& className, const std::string& title = "") const {
        std::vector<HWND> found;
        const std::wstring wideClass = wide(className), wideTitle = wide(title);
        for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, wideClass.c_str(),
                                                            title.empty() ? nullptr : wideTitle.c_str()));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process.dwProcessId && IsWindowVisible(window)) found.push_back(window);
        }
        return found;
    }
    HWND focusedWindow() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(process.dwThreadId, &info) ? info.hwndFocus : nullptr;
    }
    // And the top-level window is in front.
    bool focusIsIn(HWND topWindow) const {
        HWND focus = focusedWindow();
        return focus && GetForegroundWindow() == topWindow &&
               (focus == topWindow || IsChild(topWindow, focus));
    }
    // Whichever style of dialog the system shows: an edit, or one inside (nested) combo boxes.
    static HWND fileNameEdit(HWND dialog) {
        for (int id : {kFileNameBox, kOldFileNameBox})
            for (HWND box = GetDlgItem(dialog, id); box; box = GetWindow(box, GW_CHILD))
                if (classOf(box) == "Edit") return box;
        return nullptr;
    }
};

}  // namespace e2e
