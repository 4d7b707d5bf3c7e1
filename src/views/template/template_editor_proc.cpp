// The editor's window class and its window procedure, which hands each message to its handler.
#include <windows.h>
// after windows.h, whose types it uses
#include <windowsx.h>

#include "mainwindow/window_object.h"
#include "mainwindow/window_resources.h"
#include "shell/drawing_resources.h"
#include "views/template/template_editor.h"

void TfrmTemplate::RegisterWindowClass() {
    WNDCLASSA editorClass{};
    editorClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    editorClass.lpfnWndProc = WindowProc;
    editorClass.hInstance = moduleInstance;
    editorClass.hbrBackground = static_cast<HBRUSH>(brWindow);
    editorClass.lpszClassName = kTemplateEditorClass;
    RegisterClassA(&editorClass);  // fails harmlessly when an earlier frame registered it
}

LRESULT CALLBACK TfrmTemplate::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = windowObject<TfrmTemplate>(window, message, lParam);
    if (!view) return DefWindowProcA(window, message, wParam, lParam);

    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (message) {
        case WM_PAINT:
            view->OnPaint();
            return 0;
        case WM_SIZE:
            view->OnSize();
            return 0;
        case WM_VSCROLL:
            view->OnVScroll(wParam);
            return 0;
        case WM_HSCROLL:
            view->OnHScroll(wParam);
            return 0;
        case WM_MOUSEWHEEL:
            view->OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_LBUTTONDOWN:
            view->OnButtonDown(wParam, x, y, true);
            return 0;
        case WM_LBUTTONUP:
            view->OnButtonUp();
            return 0;
        case WM_LBUTTONDBLCLK:
            view->OnDoubleClick(x, y);
            return 0;
        case WM_RBUTTONDOWN:
            view->OnButtonDown(wParam, x, y, false);
            break;
        case WM_RBUTTONUP:
            view->OnButtonUp();
            break;
        case WM_CAPTURECHANGED:
            view->OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_KEYDOWN:
            if (view->OnKeyDown(wParam)) return 0;
            return SendMessageA(GetParent(window), message, wParam, lParam);
        case WM_KEYUP:
        case WM_COMMAND:
            // Accelerators and menu commands are handled by the main window alone.
            return SendMessageA(GetParent(window), message, wParam, lParam);
        case WM_NOTIFY:
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            // The selection changes colour with the focus.
            InvalidateRect(window, nullptr, FALSE);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
