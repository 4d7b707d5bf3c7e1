// The mouse: a press moves the caret and the selection, a double click edits the row. The capture
// is held while any button is down.
#include <windows.h>

#include <algorithm>

#include "templates/template.h"
#include "views/template/template_editor.h"

int32_t TfrmTemplate::HitTest(int x, int y) const {
    RECT client;
    GetClientRect(hwnd, &client);
    if (x < 0 || y < 0 || x > client.right || y > client.bottom) return -1;
    return y / RowHeight() + topRow;
}

bool TfrmTemplate::IsField(int32_t row) const {
    return row >= 0 && row < templ->fieldCount;
}

void TfrmTemplate::OnButtonDown(WPARAM keys, int x, int y, bool left) {
    SetFocus(hwnd);
    if (captureCount == 0) SetCapture(hwnd);
    ++captureCount;
    if (!left) return;
    const int32_t row = HitTest(x, y);
    if (row == -1) return;
    if (keys & MK_SHIFT) {
        selStart = std::min(selStart, row);
        selEnd = std::max(selEnd, row);
    } else {
        selStart = selEnd = row;
    }
    caretRow = row;
    InvalidateRect(hwnd, nullptr, FALSE);
}

void TfrmTemplate::OnButtonUp() {
    if (--captureCount > 0) return;
    captureCount = 0;
    // Only our own capture: a release that started elsewhere must not end another window's.
    if (GetCapture() == hwnd) ReleaseCapture();
}

void TfrmTemplate::OnCaptureChanged(HWND taker) {
    // Taken away (a dialog, another application): no button holds it any more.
    if (taker != hwnd) captureCount = 0;
}

void TfrmTemplate::OnDoubleClick(int x, int y) {
    const int32_t row = HitTest(x, y);
    if (IsField(row)) EditField(row);
}
