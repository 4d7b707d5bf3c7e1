// The mouse and keys on the byte pane: a click on a byte, hex or character, or a key moving the
// cursor makes the row holding the byte current, Shift extending the selection to it; Tab goes back
// to the rows.
#include <windows.h>
// after windows.h, whose types it uses
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "views/document/byte_columns.h"
#include "views/document/byte_pane.h"
#include "views/document/document_view.h"

void BytePane::MoveCursor(int64_t to, bool extend) {
    if (bytes_.total() == 0) return;
    cursor_ = std::clamp<int64_t>(to, 0, bytes_.total() - 1);
    if (!extend) anchor_ = cursor_;
    owner_.CurrentFromByte(cursor_, extend);
}

void BytePane::OnLeftButtonDown(WPARAM keys, LPARAM point) {
    SetFocus(hwnd);
    ByteColumns columns(bytes_.total());
    int byte = columns.byteAt(GET_X_LPARAM(point));
    int64_t line = topLine_ + GET_Y_LPARAM(point) / columns.lineHeight();
    int64_t offset = line * kBytesPerLine + byte;
    if (byte < 0 || offset >= bytes_.total()) return;
    MoveCursor(offset, (keys & MK_SHIFT) != 0);
}

bool BytePane::OnKeyDown(WPARAM key) {
    if (key == VK_TAB) {
        SetFocus(owner_.hwnd);
        return true;
    }
    // How far each key moves the cursor.
    const int64_t page = int64_t{PageLines()} * kBytesPerLine;
    const std::pair<WPARAM, int64_t> moves[] = {
        {VK_LEFT, -1},     {VK_RIGHT, 1},   {VK_UP, -kBytesPerLine}, {VK_DOWN, kBytesPerLine},
        {VK_PRIOR, -page}, {VK_NEXT, page}, {VK_HOME, -cursor_},     {VK_END, bytes_.total() - 1 - cursor_}};
    for (const auto& [movingKey, distance] : moves) {
        if (movingKey != key) continue;
        MoveCursor(cursor_ + distance, GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    return false;
}
