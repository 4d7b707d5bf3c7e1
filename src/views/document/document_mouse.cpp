// The mouse on the document view: clicks select rows and make them current, a double click edits,
// and the buttons share the mouse capture by counting.
#include <windows.h>
// after windows.h, whose types it uses
#include <windowsx.h>

#include "views/document/document_view.h"

RowSpot TfrmDocument::HitTest(LPARAM point) const {
    // A point below the last row hits the last row.
    int64_t y = int64_t{GET_Y_LPARAM(point)} + scrollOffset;
    return rows_.at(y, {top_, CurrentSpot()});
}

void TfrmDocument::TakeCapture() {
    SetFocus(hwnd);
    if (captureCount == 0) SetCapture(hwnd);
    ++captureCount;
}

void TfrmDocument::GiveBackCapture() {
    --captureCount;
    if (captureCount > 0) return;
    ReleaseCapture();
    captureCount = 0;
}

void TfrmDocument::OnCaptureChanged(HWND taker) {
    // Taken away (a dialog, another application): no button holds it any more.
    if (taker != hwnd) captureCount = 0;
}

void TfrmDocument::OnLeftButtonDown(WPARAM keys, LPARAM point) {
    TakeCapture();
    RowSpot hit = HitTest(point);
    if (!hit.instance) return;
    if (!(keys & MK_SHIFT)) {
        selection_.clear(document);
    } else if (current) {
        selection_.select(current);
    }
    selection_.select(hit.instance);
    MakeCurrent(hit);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void TfrmDocument::OnLeftDoubleClick(LPARAM point) {
    RowSpot hit = HitTest(point);
    if (!hit.instance) return;
    selection_.clear(document);
    selection_.select(hit.instance);
    MakeCurrent(hit);
    InvalidateRect(hwnd, nullptr, FALSE);
    EditCurrent();
}
