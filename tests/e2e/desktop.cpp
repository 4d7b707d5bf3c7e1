#include "desktop.h"

// after windows.h, whose types it uses
#include <commctrl.h>

namespace e2e {

namespace {

struct TopSearch {
    DWORD processId;
    const std::string* className;
    const std::string* title;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTop(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TopSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && classOf(window) == *search->className &&
        (search->title->empty() || textOf(window) == *search->title)) {
        search->found.push_back(window);
    }
    return TRUE;
}

struct ChildSearch {
    const std::string* className;
    std::vector<HWND> found;
};

BOOL CALLBACK collectChild(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<ChildSearch*>(parameter);
    if (classOf(window) == *search->className) search->found.push_back(window);
    return TRUE;
}

INPUT keyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void sendKeys(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
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

std::string classOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> topWindows(DWORD processId, const std::string& className, const std::string& title) {
    TopSearch search{processId, &className, &title, {}};
    EnumWindows(collectTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> childrenOf(HWND parent, const std::string& className) {
    ChildSearch search{&className, {}};
    EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::string> staticTexts(HWND dialog) {
    std::vector<std::string> texts;
    for (HWND label : childrenOf(dialog, "Static")) texts.push_back(textOf(label));
    return texts;
}

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

HWND focusedWindow(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

bool focusIsIn(DWORD threadId, HWND topWindow) {
    HWND focus = focusedWindow(threadId);
    return focus && GetForegroundWindow() == topWindow && (focus == topWindow || IsChild(topWindow, focus));
}

std::string describeDesktop(DWORD processId, DWORD threadId) {
    auto describe = [](HWND window) {
        if (!window) return std::string("none");
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return classOf(window) + " \"" + textOf(window) + "\" of process " + std::to_string(owner);
    };
    std::string text = "; shown:";
    for (const char* className : {"TfrmMain", "#32770", "#32768"}) {
        for (HWND window : topWindows(processId, className)) text += " [" + describe(window) + "]";
    }
    text += "; in front: " + describe(GetForegroundWindow());
    text += "; keyboard at: " + describe(focusedWindow(threadId));
    return text;
}

void pressKey(WORD key) {
    sendKeys({keyInput(key, false), keyInput(key, true)});
}

void pressChord(WORD modifier, WORD key) {
    sendKeys(
        {keyInput(modifier, false), keyInput(key, false), keyInput(key, true), keyInput(modifier, true)});
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

}  // namespace e2e
