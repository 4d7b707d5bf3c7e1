#pragma once
// What both windows of a document tab, the rows and the byte pane, answer alike.
#include <windows.h>

// Commands go to the main window, whose they are wherever the focus is; focus changes repaint,
// since the focus rectangle and the byte cursor show only with the focus; the client area has the
// arrow cursor. False for any other message, which is left to the window's own handlers.
bool answerPaneMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
