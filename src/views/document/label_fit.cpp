#include "views/document/label_fit.h"

namespace {

// The labels are left-aligned statics with SS_EDITCONTROL and SS_NOPREFIX; these are the flags
// they draw with, so what is measured is what is shown.
constexpr UINT kLabelFormat = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;

int textHeight(HWND label, int width) {
    int length = GetWindowTextLengthA(label);
    char* text = new char[length + 1];
    GetWindowTextA(label, text, length + 1);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
    RECT bounds{0, 0, width, 0};
    DrawTextA(dc, text, length, &bounds, kLabelFormat | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    delete[] text;
    return bounds.bottom;
}

RECT placeInParent(HWND window) {
    RECT place;
    GetWindowRect(window, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

void moveBy(HWND window, int dy, int grow) {
    RECT place = placeInParent(window);
    SetWindowPos(window, nullptr, place.left, place.top + dy, place.right - place.left,
                 place.bottom - place.top + grow, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void fitLabelToText(HWND dialog, int labelId) {
    HWND label = GetDlgItem(dialog, labelId);
    RECT area;
    GetClientRect(label, &area);
    const int grow = textHeight(label, area.right) - area.bottom;
    if (grow == 0) return;
    const LONG below = placeInParent(label).bottom;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (child != label && placeInParent(child).top >= below) moveBy(child, grow, 0);
    moveBy(label, 0, grow);
    RECT outer;
    GetWindowRect(dialog, &outer);
    SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(dialog, nullptr, TRUE);
}

void refuseTyped(HWND dialog, int promptId, HWND edit, const char* reason) {
    SetDlgItemTextA(dialog, promptId, reason);
    fitLabelToText(dialog, promptId);
    MessageBeep(MB_ICONWARNING);
    SetFocus(edit);
}
