#include "views/document/clipboard.h"

#include <cstring>

bool putClipboardText(HWND owner, const std::string& lines) {
    // Lines on the clipboard end as Windows programs expect them.
    std::string text;
    for (char c : lines) text += c == '\n' ? "\r\n" : std::string(1, c);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return false;
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    // Once set, the clipboard owns the memory.
    bool put = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    if (!put) GlobalFree(memory);
    return put;
}

std::string clipboardText(HWND owner) {
    std::string text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE memory = GetClipboardData(CF_TEXT)) {
        if (const char* locked = static_cast<const char*>(GlobalLock(memory))) {
            text.assign(locked, strnlen(locked, GlobalSize(memory)));
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}
