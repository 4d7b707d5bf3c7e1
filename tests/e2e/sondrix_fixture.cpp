#include "sondrix_fixture.h"

// after windows.h, whose types it uses
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace e2e {

namespace {

constexpr int kFileNameBox = 0x47C;     // cmb13, the explorer-style dialog's file name box
constexpr int kOldFileNameBox = 0x480;  // edt1, the old-style dialog's
constexpr int kLookInBox = 0x471;       // cmb2, the folder the dialog shows

std::string classOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The edit control a user types a file name into, whichever style of dialog the system shows.
HWND fileNameEdit(HWND dialog) {
    for (int id : {kFileNameBox, kOldFileNameBox}) {
        HWND box = GetDlgItem(dialog, id);
        if (!box) continue;
        if (classOf(box) == "Edit") return box;
        std::vector<HWND> edits = childrenOf(box, "Edit");
        if (!edits.empty()) return edits.front();
    }
    return nullptr;
}

// The text of the selected item of a list view in the process, empty when none is selected.
std::string selectedItemText(HANDLE process, HWND listView) {
    const LRESULT index = SendMessageA(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (index < 0) return std::string();
    // The list view writes into memory of its own process: the item record and the text go there.
    constexpr SIZE_T kTextSize = 512;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE));
    if (!remote) return std::string();
    LVITEMA item{};
    item.pszText = remote + sizeof item;
    item.cchTextMax = kTextSize;
    char text[kTextSize] = {};
    if (WriteProcessMemory(process, remote, &item, sizeof item, nullptr)) {
        SendMessageA(listView, LVM_GETITEMTEXTA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote + sizeof item, text, kTextSize - 1, nullptr);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return text;
}

void sendKeys(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT keyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

std::string textOf(HWND window) {
    wchar_t text[4096] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                             &length) ||
        length >= 4096) {
        return std::string();
    }
    char utf8[4 * 4096];
    int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8, sizeof utf8, nullptr, nullptr);
    return std::string(utf8, bytes);
}

std::vector<HWND> childrenOf(HWND parent, const std::string& className) {
    std::pair<const std::string*, std::vector<HWND>> search{&className, {}};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* found = reinterpret_cast<decltype(search)*>(parameter);
            if (classOf(window) == *found->first) found->second.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

void pressKey(WORD key) {
    sendKeys({keyInput(key, false), keyInput(key, true)});
}

void typeText(const std::string& text) {
    std::wstring units(text.size(), L'\0');
    units.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), units.data(),
                                     static_cast<int>(units.size())));
    std::vector<INPUT> inputs;
    for (wchar_t unit : units) {
        for (DWORD direction : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE | direction;
            inputs.push_back(input);
        }
    }
    sendKeys(inputs);
}

testsupport::Bytes templateFile(const std::vector<TemplateRow>& rows) {
    testsupport::Bytes bytes;
    for (const TemplateRow& row : rows) {
        const std::string caption = row.caption;
        bytes.push_back(static_cast<unsigned char>(caption.size()));
        bytes.insert(bytes.end(), caption.begin(), caption.end());
        bytes.insert(bytes.end(), row.code, row.code + 4);
    }
    return bytes;
}

testing::AssertionResult showsText(HWND dialog, const std::string& text) {
    std::vector<std::string> texts;
    for (HWND label : childrenOf(dialog, "Static")) texts.push_back(textOf(label));
    if (std::find(texts.begin(), texts.end(), text) != texts.end()) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "the dialog shows " << testing::PrintToString(texts) << ", not \"" << text << "\"";
}

void SondrixTest::SetUp() {
    work.makeDir("TMPL");
    WIN32_FIND_DATAA entry;
    const std::string from = SONDRIX_E2E_TEMPLATES;
    HANDLE search = FindFirstFileA((from + "\\*.tmpl").c_str(), &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << "no templates in " << from;
    do {
        CopyFileA((from + "\\" + entry.cFileName).c_str(),
                  work.path("TMPL\\" + std::string(entry.cFileName)).c_str(), FALSE);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

// A process still running is killed: a failed test must never leave it behind.
void SondrixTest::TearDown() {
    if (!process.hProcess) return;
    if (!hasEnded()) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void SondrixTest::failStep(const std::string& what) const {
    auto describe = [](HWND window) {
        if (!window) return std::string("none");
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return classOf(window) + " \"" + textOf(window) + "\" of process " + std::to_string(owner);
    };
    std::string shown = "; shown:";
    for (const char* className : {"TfrmMain", "#32770", "#32768"}) {
        for (HWND window : topWindows(className)) shown += " [" + describe(window) + "]";
    }
    throw std::runtime_error(what + shown + "; in front: " + describe(GetForegroundWindow()) +
                             "; keyboard at: " + describe(focusedWindow()));
}

void SondrixTest::startProgram(const std::string& arguments) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    const std::string program = SONDRIX_E2E_PROGRAM;
    std::string line = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        work.path().c_str(), &startup, &process))
        failStep("Sondrix.exe did not start");
    std::vector<HWND> found;
    require([&] { return !(found = topWindows("TfrmMain")).empty(); }, "the main window");
    mainWindow = found.front();
    SetForegroundWindow(mainWindow);
    // A file to open may bring the template selection dialog first.
    if (arguments.empty()) waitForMainWindow();
}

void SondrixTest::pressChord(WORD modifier, WORD key) {
    sendKeys(
        {keyInput(modifier, false), keyInput(key, false), keyInput(key, true), keyInput(modifier, true)});
}

bool SondrixTest::dialogShown() const {
    return !topWindows("#32770").empty();
}

std::vector<HWND> SondrixTest::topWindows(const std::string& className, const std::string& title) const {
    struct Search {
        DWORD processId;
        const std::string& className;
        const std::string& title;
        std::vector<HWND> found;
    } search{process.dwProcessId, className, title, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && IsWindowVisible(window) && classOf(window) == s->className &&
                (s->title.empty() || textOf(window) == s->title))
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND SondrixTest::focusedWindow() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(process.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

bool SondrixTest::focusIsIn(HWND topWindow) const {
    HWND focus = focusedWindow();
    return focus && GetForegroundWindow() == topWindow && (focus == topWindow || IsChild(topWindow, focus));
}

void SondrixTest::chooseMenuItem(WORD menuKey, WORD itemKey) {
    waitForMainWindow();
    std::vector<HWND> popups;
    pressChordFor(
        VK_MENU, menuKey, [&] { return !(popups = topWindows("#32768")).empty(); }, "the menu to drop down");
    pressKey(itemKey);
    waitUntilClosed(popups.front());
}

HWND SondrixTest::waitForDialog(const std::string& title) {
    std::vector<HWND> found;
    require([&] { return !(found = topWindows("#32770", title)).empty(); }, "the dialog \"" + title + "\"");
    require([&] { return focusIsIn(found.front()); }, "the keyboard in \"" + title + "\"");
    return found.front();
}

HWND SondrixTest::waitForFileDialog() {
    HWND dialog = nullptr;
    require(
        [&] {
            for (HWND candidate : topWindows("#32770")) {
                if (fileNameEdit(candidate)) dialog = candidate;
            }
            return dialog != nullptr;
        },
        "a file dialog");
    require([&] { return focusIsIn(dialog); }, "the keyboard in the file dialog");
    return dialog;
}

void SondrixTest::chooseFile(const std::string& name) {
    HWND dialog = waitForFileDialog();
    HWND edit = fileNameEdit(dialog);
    auto enter = [&](const std::string& text) {
        require([&] { return focusedWindow() == edit; }, "the keyboard in the file name box");
        typeText(text);
        require([&] { return textOf(edit) == text; }, "\"" + text + "\" in the file name box");
        pressKey(VK_RETURN);
    };
    // Into the file's folder first, as a user browses there.
    const size_t folderEnd = name.rfind('\\');
    if (folderEnd != std::string::npos) {
        const std::string folder = name.substr(0, folderEnd);
        enter(folder);
        require([&] { return textOf(GetDlgItem(dialog, kLookInBox)) == folder; }, "the dialog in " + folder);
        SetWindowTextA(edit, "");
    }
    enter(name.substr(folderEnd + 1));
    waitUntilClosed(dialog);
}

void SondrixTest::selectTemplate(HWND dialog, const std::string& name) {
    std::vector<HWND> lists = childrenOf(dialog, "SysListView32");
    if (lists.empty()) failStep("no template list in the dialog");
    typeText(name.substr(0, 1));
    require([&] { return selectedItemText(process.hProcess, lists.front()) == name; },
            "\"" + name + "\" selected in the template list");
}

void SondrixTest::chooseTemplate(const std::string& name) {
    HWND dialog = waitForDialog("Select a template:");
    selectTemplate(dialog, name);
    pressKey(VK_RETURN);
    waitUntilClosed(dialog);
}

HWND SondrixTest::openDocument(const std::string& file, const std::string& templateName) {
    pressDialogCommand('O');
    chooseFile(file);
    chooseTemplate(templateName);
    return waitForView("TfrmDocument", file.substr(file.rfind('\\') + 1));
}

HWND SondrixTest::openTemplateEditor(const std::string& name) {
    pressCommandFor(
        'L', [&] { return dialogShown(); }, "the template list");
    HWND dialog = waitForDialog("Templates:");
    selectTemplate(dialog, name);
    pressChordFor(
        VK_MENU, 'E', [&] { return !IsWindowVisible(dialog); }, "the Edit button to close the list");
    return waitForView("TfrmTemplate", name);
}

void SondrixTest::answerValue(const std::string& shownValue, const std::string& value) {
    HWND dialog = waitForDialog("Enter value:");
    HWND edit = childrenOf(dialog, "Edit").front();
    const std::string shown = textOf(edit);
    if (shown != shownValue) failStep("the value dialog shows \"" + shown + "\", not \"" + shownValue + "\"");
    typeText(value);
    require([&] { return textOf(edit) == value; }, "\"" + value + "\" in the value box");
    pressKey(VK_RETURN);
    waitUntilClosed(dialog);
}

void SondrixTest::confirmMessage(const std::string& title, const std::string& text) {
    HWND message = waitForDialog(title);
    EXPECT_TRUE(showsText(message, text));
    pressKey(VK_RETURN);
    waitUntilClosed(message);
}

HWND SondrixTest::waitForView(const std::string& className, const std::string& text) {
    // The view with the keyboard: a view just opened and the one it hides are both shown for a moment,
    // and the keyboard may go back to the old one before the new one is made.
    HWND view = nullptr;
    require(
        [&] {
            view = focusedWindow();
            return view && classOf(view) == className && IsChild(mainWindow, view) && IsWindowVisible(view) &&
                   (text.empty() || textOf(view) == text);
        },
        "the keyboard in a " + className + " view \"" + text + "\"");
    return view;
}

void SondrixTest::waitForText(HWND window, const std::string& text) {
    std::string shown;
    if (!waitFor([&] { return (shown = textOf(window)) == text; }))
        failStep("timed out waiting for \"" + text + "\"; the window shows \"" + shown + "\"");
}

void SondrixTest::waitUntilClosed(HWND window) {
    require([&] { return !IsWindow(window) || !IsWindowVisible(window); }, "a window to close");
}

void SondrixTest::waitForMainWindow() {
    require([&] { return focusIsIn(mainWindow); }, "the keyboard in the main window");
}

testsupport::Bytes SondrixTest::waitForBytes(const std::string& name, const testsupport::Bytes& expected) {
    waitFor([&] { return work.read(name) == expected; });
    return work.read(name);
}

DWORD SondrixTest::waitForExit() {
    DWORD exitCode = 0;
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &exitCode))
        failStep("timed out waiting for the program to end");
    return exitCode;
}

}  // namespace e2e
