#include "views/document/pane_messages.h"

#include "mainwindow/window_resources.h"

bool answerPaneMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_COMMAND:
            *result = SendMessageA(GetParent(window), message, wParam, lParam);
            return true;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window, nullptr, FALSE);
            *result = 0;
            return true;
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) return false;
            SetCursor(curArrow);
            *result = TRUE;
            return true;
        default:
            return false;
    }
}
