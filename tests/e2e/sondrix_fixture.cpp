#include "sondrix_fixture.h"

#include <algorithm>
#include <stdexcept>

#include "desktop.h"

namespace e2e {

namespace {

constexpr int kFileNameBox = 0x47C;     // cmb13, the explorer-style dialog's file name box
constexpr int kOldFileNameBox = 0x480;  // edt1, the old-style dialog's
constexpr int kLookInBox = 0x471;       // cmb2, the folder the dialog shows

bool copyTemplateLibrary(const std::string& from, const std::string& to) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((from + "\\*.tmpl").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        CopyFileA((from + "\\" + entry.cFileName).c_str(), (to + "\\" + entry.cFileName).c_str(), FALSE);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return true;
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

}  // namespace

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
    const std::vector<std::string> texts = staticTexts(dialog);
    if (std::find(texts.begin(), texts.end(), text) != texts.end()) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "the dialog shows " << testing::PrintToString(texts) << ", not \"" << text << "\"";
}

void SondrixTest::SetUp() {
    work.makeDir("TMPL");
    ASSERT_TRUE(copyTemplateLibrary(SONDRIX_E2E_TEMPLATES, work.path("TMPL")))
        << "no templates in " << SONDRIX_E2E_TEMPLATES;
}

void SondrixTest::failStep(const std::string& what) const {
    throw std::runtime_error(what + describeDesktop(program.id(), program.threadId()));
}

void SondrixTest::startProgram(const std::string& arguments) {
    if (!program.start(SONDRIX_E2E_PROGRAM, work.path(), arguments)) failStep("Sondrix.exe did not start");
    std::vector<HWND> found;
    require([&] { return !(found = topWindows(program.id(), "TfrmMain")).empty(); }, "the main window");
    mainWindow = found.front();
    SetForegroundWindow(mainWindow);
    // A file to open may bring the template selection dialog first.
    if (arguments.empty()) waitForMainWindow();
}

bool SondrixTest::dialogShown() const {
    return !topWindows(program.id(), "#32770").empty();
}

void SondrixTest::chooseMenuItem(WORD menuKey, WORD itemKey) {
    waitForMainWindow();
    std::vector<HWND> popups;
    pressChordFor(
        VK_MENU, menuKey, [&] { return !(popups = topWindows(program.id(), "#32768")).empty(); },
        "the menu to drop down");
    pressKey(itemKey);
    waitUntilClosed(popups.front());
}

HWND SondrixTest::waitForDialog(const std::string& title) {
    std::vector<HWND> found;
    require([&] { return !(found = topWindows(program.id(), "#32770", title)).empty(); },
            "the dialog \"" + title + "\"");
    HWND dialog = found.front();
    require([&] { return focusIsIn(program.threadId(), dialog); }, "the keyboard in \"" + title + "\"");
    return dialog;
}

HWND SondrixTest::waitForFileDialog() {
    HWND dialog = nullptr;
    require(
        [&] {
            for (HWND candidate : topWindows(program.id(), "#32770")) {
                if (fileNameEdit(candidate)) dialog = candidate;
            }
            return dialog != nullptr;
        },
        "a file dialog");
    require([&] { return focusIsIn(program.threadId(), dialog); }, "the keyboard in the file dialog");
    return dialog;
}

void SondrixTest::chooseFile(const std::string& name) {
    HWND dialog = waitForFileDialog();
    HWND edit = fileNameEdit(dialog);
    auto enter = [&](const std::string& text) {
        require([&] { return focusedWindow(program.threadId()) == edit; },
                "the keyboard in the file name box");
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
    require([&] { return selectedItemText(program.handle(), lists.front()) == name; },
            "\"" + name + "\" selected in the template list");
}

void SondrixTest::chooseTemplate(const std::string& name) {
    HWND dialog = waitForDialog("Select a template:");
    selectTemplate(dialog, name);
    pressKey(VK_RETURN);
    waitUntilClosed(dialog);
}

HWND SondrixTest::openTemplateEditor(const std::string& name) {
    pressCommandFor(
        'L', [&] { return dialogShown(); }, "the template list");
    HWND dialog = waitForDialog("Templates:");
    selectTemplate(dialog, name);
    pressChordFor(
        VK_MENU, 'E', [&] { return !IsWindowVisible(dialog); }, "the Edit button to close the list");
    return waitForView("TfrmTemplate");
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

HWND SondrixTest::waitForView(const std::string& className) {
    HWND view = nullptr;
    require(
        [&] {
            for (HWND child : childrenOf(mainWindow, className)) {
                if (IsWindowVisible(child)) view = child;
            }
            return view != nullptr;
        },
        "a " + className + " view");
    require([&] { return focusedWindow(program.threadId()) == view; },
            "the keyboard in the " + className + " view");
    return view;
}

void SondrixTest::waitForText(HWND window, const std::string& text) {
    std::string shown;
    if (!waitFor([&] { return (shown = textOf(window)) == text; })) {
        failStep("timed out waiting for \"" + text + "\"; the window shows \"" + shown + "\"");
    }
}

void SondrixTest::waitUntilClosed(HWND window) {
    require([&] { return !IsWindow(window) || !IsWindowVisible(window); }, "a window to close");
}

void SondrixTest::waitForMainWindow() {
    require([&] { return focusIsIn(program.threadId(), mainWindow); }, "the keyboard in the main window");
}

testsupport::Bytes SondrixTest::waitForBytes(const std::string& name, const testsupport::Bytes& expected) {
    waitFor([&] { return work.read(name) == expected; });
    return work.read(name);
}

DWORD SondrixTest::waitForExit() {
    DWORD exitCode = 0;
    if (!program.waitForExit(10000, &exitCode)) failStep("timed out waiting for the program to end");
    return exitCode;
}

}  // namespace e2e
