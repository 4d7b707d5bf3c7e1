// The byte pane's life, and how it keeps in step with the rows.
#include "views/document/byte_pane.h"

#include <algorithm>

#include "document/instances.h"
#include "fieldtypes/hex_bytes.h"
#include "mainwindow/window_object.h"
#include "mainwindow/window_resources.h"
#include "shell/drawing_resources.h"
#include "views/document/byte_columns.h"
#include "views/document/document_view.h"

namespace {

constexpr const char* kClassName = "TBytePane";

}  // namespace

void registerBytePaneClass() {
    WNDCLASSEXA paneClass{};
    paneClass.cbSize = sizeof(paneClass);
    paneClass.style = CS_HREDRAW | CS_VREDRAW;
    paneClass.lpfnWndProc = BytePane::WindowProc;
    paneClass.hInstance = moduleInstance;
    paneClass.hbrBackground = static_cast<HBRUSH>(brWindow);
    paneClass.lpszClassName = kClassName;
    RegisterClassExA(&paneClass);  // fails harmlessly when an earlier frame registered it
}

BytePane::~BytePane() {
    detachWindowObject(hwnd, this);
}

void BytePane::Create(HWND parent) {
    CreateWindowExA(WS_EX_STATICEDGE, kClassName, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 0, 0, parent,
                    nullptr, moduleInstance, this);
    UpdateScrollRange();
    ShowCursorLine();
}

int32_t BytePane::FullWidth() const {
    return ByteColumns(bytes_.total()).width() + GetSystemMetrics(SM_CXVSCROLL) +
           2 * GetSystemMetrics(SM_CXEDGE);
}

void BytePane::FollowCurrent() {
    if (owner_.current && bytes_.total() > 0) {
        int64_t start = bytes_.offsetOf(owner_.CurrentSpot(), rows_.last());
        int64_t size = instanceSize(owner_.current);
        if (cursor_ < start || cursor_ >= start + size)
            anchor_ = cursor_ = start < bytes_.total() ? start : bytes_.total() - 1;
    }
    if (!hwnd) return;
    KeepCursorVisible();
    ShowCursorLine();
    InvalidateRect(hwnd, nullptr, FALSE);
}

void BytePane::PlaceCursor(int64_t offset, int64_t through) {
    cursor_ = offset;
    anchor_ = std::clamp<int64_t>(through, offset, bytes_.total() - 1);
    FollowCurrent();
}

void BytePane::BytesChanged() {
    if (cursor_ >= bytes_.total()) cursor_ = bytes_.total() > 0 ? bytes_.total() - 1 : 0;
    if (anchor_ >= bytes_.total()) anchor_ = cursor_;
    UpdateScrollRange();
    ShowCursorLine();
    InvalidateRect(hwnd, nullptr, FALSE);
}

bool BytePane::SelectionHex(std::string* text) {
    int64_t from = std::min(anchor_, cursor_);
    int64_t count = std::max(anchor_, cursor_) - from + 1;
    if (count > kMaxCopiedBytes) return false;
    int32_t read = ReadBytes(from, static_cast<int32_t>(std::min(count, bytes_.total() - from)));
    *text = hexBytesText(shown_.data(), static_cast<size_t>(read));
    return true;
}
