// The window procedure of the document view: finds the view in the window's user data and hands
// each message to its handler.
#include <windows.h>

#include "mainwindow/window_object.h"
#include "views/document/document_view.h"
#include "views/document/pane_messages.h"

LRESULT CALLBACK TfrmDocument::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = windowObject<TfrmDocument>(window, message, lParam);
    if (!view) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT answered = 0;
    if (answerPaneMessage(window, message, wParam, lParam, &answered)) return answered;

    switch (message) {
        case WM_NOTIFY:
            return 0;
        case WM_SIZE:
            view->UpdateScrollRange();
            view->UpdateWidthRange();
            return 0;
        case WM_SHOWWINDOW:
            // The byte pane is shown and hidden with the rows, with their tab.
            if (lParam == 0) ShowWindow(view->Bytes().hwnd, wParam ? SW_SHOWNA : SW_HIDE);
            break;
        case WM_DESTROY:
            // And it goes with them when their tab is closed.
            DestroyWindow(view->Bytes().hwnd);
            break;
        case WM_PAINT:
            view->OnPaint();
            return 0;
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(window, &client);
            view->PaintRows(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_LBUTTONDOWN:
            view->OnLeftButtonDown(wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
            view->GiveBackCapture();
            return 0;
        case WM_LBUTTONDBLCLK:
            view->OnLeftDoubleClick(lParam);
            return 0;
        case WM_RBUTTONDOWN:
            view->TakeCapture();
            break;
        case WM_RBUTTONUP:
            view->GiveBackCapture();
            break;
        case WM_CAPTURECHANGED:
            view->OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_KEYDOWN:
            if (view->OnKeyDown(wParam)) return 0;
            break;
        case WM_VSCROLL:
            view->OnVerticalScroll(LOWORD(wParam));
            return 0;
        case WM_HSCROLL:
            view->OnHorizontalScroll(LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            view->OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_MOUSEHWHEEL:
            view->OnHorizontalWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
