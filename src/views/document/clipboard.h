#pragma once
// Text on the system clipboard (CF_TEXT), for Copy and Paste.
#include <windows.h>

#include <string>

// Each "\n" goes on as "\r\n". False when the clipboard could not be had or the memory for the text not.
bool putClipboardText(HWND owner, const std::string& lines);
// Empty when the clipboard holds no text.
std::string clipboardText(HWND owner);
