// The window procedure of the main frame and its message handlers.
#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <cstdint>
#include <cstdio>

#include "mainwindow/main_frame.h"
#include "mainwindow/window_object.h"
#include "platform/debug_output.h"

namespace {

void debugHandleLine(const char* format, HWND handle) {
    char line[64];
    // Window handles carry 32 significant bits even in a 64-bit process.
    std::snprintf(line, sizeof(line), format, static_cast<unsigned>(reinterpret_cast<uintptr_t>(handle)));
    platform::debugOutput(line);
}

}  // namespace

LRESULT CALLBACK TfrmMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* frame = windowObject<TfrmMain>(window, message, lParam);
    if (!frame) return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
        case WM_CLOSE:
            frame->OnClose();
            return 0;
        case WM_DESTROY:
            frame->OnDestroy();
            break;
        case WM_SIZE:
            frame->OnSize();
            return 0;
        case WM_PAINT:
            frame->OnPaint();
            return 0;
        case WM_ACTIVATEAPP:
            frame->OnActivateApp(wParam != 0);
            return 0;
        case WM_NOTIFY:
            frame->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return 0;
        case WM_COMMAND:
            frame->OnCommand(LOWORD(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            frame->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_USER:
            frame->OnRestoreFocus(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_SETFOCUS:
            frame->OnSetFocus();
            return 0;
        case WM_DROPFILES:
            frame->OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void TfrmMain::OnDestroy() {
    PostQuitMessage(0);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
}

// A modal dialog that ends hands the focus to its owner, the main window, which has no use for
// keys: the visible view of the selected tab takes them instead.
void TfrmMain::OnSetFocus() {
    TabEntry* entry = CurrentEntry();
    if (entry && IsWindowVisible(entry->view->hwnd)) SetFocus(entry->view->hwnd);
}

void TfrmMain::OnSize() {
    RECT client;
    GetClientRect(hwnd, &client);
    LayoutStatusBar(client);
    MoveWindow(hwndTabs, 0, 0, client.right, client.bottom, TRUE);
    InvalidateRect(hwndTabs, nullptr, FALSE);
    for (int32_t i = 0; i < count; ++i) LayoutView(entries[i]);
}

void TfrmMain::OnPaint() {
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
}

void TfrmMain::OnActivateApp(bool active) {
    if (!active) {
        hwndLastFocus = GetFocus();
        debugHandleLine("last focused set to %x\n", hwndLastFocus);
        return;
    }
    debugHandleLine("restoring focus to %x\n", hwndLastFocus);
    // Focus set during activation would be overridden by the activation itself.
    PostMessageA(hwnd, WM_USER, 0, reinterpret_cast<LPARAM>(hwndLastFocus));
}

void TfrmMain::OnRestoreFocus(HWND target) {
    // Before the first deactivation there is nothing to restore; SetFocus(null) would leave the
    // program without keyboard input.
    if (target) SetFocus(target);
}

void TfrmMain::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != hwndTabs) return;
    if (header.code == static_cast<UINT>(TCN_SELCHANGING)) {
        for (int32_t i = 0; i < count; ++i) ShowWindow(entries[i]->view->hwnd, SW_HIDE);
    } else if (header.code == static_cast<UINT>(TCN_SELCHANGE)) {
        if (TabEntry* selected = CurrentEntry()) {
            ShowWindow(selected->view->hwnd, SW_SHOW);
            selected->view->UpdateStatus();
        }
    }
}
