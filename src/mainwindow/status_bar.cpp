// The status bar of the main frame, along its bottom edge; the views fill its parts.
#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include "mainwindow/main_frame.h"
#include "mainwindow/window_resources.h"
#include "shell/drawing_resources.h"

namespace {

// Where each part ends, from the left; the last one takes the rest.
constexpr int kPartEnds[kStatusParts] = {240, 300, 390, -1};

}  // namespace

void TfrmMain::CreateStatusBar() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    hwndStatus = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                 hwnd, nullptr, moduleInstance, nullptr);
    SendMessageA(hwndStatus, WM_SETFONT, reinterpret_cast<WPARAM>(fntNormal), FALSE);
    SendMessageA(hwndStatus, SB_SETPARTS, kStatusParts, reinterpret_cast<LPARAM>(kPartEnds));
}

void TfrmMain::LayoutStatusBar(RECT& client) {
    // The bar places itself at the bottom of its parent.
    SendMessageA(hwndStatus, WM_SIZE, 0, 0);
    RECT bar{};
    if (hwndStatus) GetWindowRect(hwndStatus, &bar);
    client.bottom -= bar.bottom - bar.top;
}

void TfrmMain::ShowStatus(const char* const* parts) {
    for (int part = 0; part < kStatusParts; ++part)
        SendMessageA(hwndStatus, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(parts ? parts[part] : ""));
}
