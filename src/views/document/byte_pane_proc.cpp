// The window procedure of the byte pane: finds the pane in the window's user data and hands each
// message to its handler.
#include <windows.h>

#include "mainwindow/window_object.h"
#include "views/document/byte_pane.h"
#include "views/document/pane_messages.h"

LRESULT CALLBACK BytePane::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* pane = windowObject<BytePane>(window, message, lParam);
    if (!pane) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT answered = 0;
    if (answerPaneMessage(window, message, wParam, lParam, &answered)) return answered;

    switch (message) {
        case WM_SIZE:
            pane->UpdateScrollRange();
            return 0;
        case WM_PAINT:
            pane->OnPaint();
            return 0;
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(window, &client);
            pane->PaintLines(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_LBUTTONDOWN:
            pane->OnLeftButtonDown(wParam, lParam);
            return 0;
        case WM_KEYDOWN:
            if (pane->OnKeyDown(wParam)) return 0;
            break;
        case WM_VSCROLL:
            pane->OnVerticalScroll(LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            pane->OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
