#include "mainwindow/about_dialog.h"

#include <cstdio>

#include "mainwindow/about_dialog_ids.h"
#include "mainwindow/home_page.h"
#include "mainwindow/window_resources.h"
#include "shell/ui_strings.h"
#include "version.h"

namespace {

// The version line replaces its placeholder and takes exactly the size of its text.
void showVersion(HWND dialog) {
    char text[100];
    std::snprintf(text, sizeof text, UIStrings[usVersionLine], SONDRIX_VERSION_TEXT);
    HWND control = GetDlgItem(dialog, IDC_ABOUT_VERSION);
    SetWindowTextA(control, text);
    HDC dc = GetDC(control);
    // Measured in the font the control draws with, so the text is never clipped.
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text, static_cast<int>(lstrlenA(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    SetWindowPos(control, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR onCommand(HWND dialog, int id) {
    if (id == IDOK) EndDialog(dialog, 0);
    if (id == IDC_ABOUT_HOME_PAGE) openHomePage(GetParent(dialog));
    // Escape sends IDCANCEL, which does nothing: only OK and the close box end the box.
    return TRUE;
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            showVersion(dialog);
            return FALSE;
        case WM_CLOSE:
            EndDialog(dialog, 0);
            return FALSE;
        case WM_COMMAND:
            return onCommand(dialog, LOWORD(wParam));
        default:
            return FALSE;
    }
}

}  // namespace

void ShowAboutBox(HWND owner) {
    DialogBoxParamA(moduleInstance, "dlgAbout", owner, aboutDialogProc, 0);
}
