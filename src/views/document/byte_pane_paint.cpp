// Painting the byte pane: the bytes of the lines in the area to paint are read once, from the row
// that holds the first of them, and each line is drawn as runs of bytes that look alike.
#include <windows.h>

#include <algorithm>

#include "document/document_bytes.h"
#include "shell/drawing_resources.h"
#include "views/document/byte_columns.h"
#include "views/document/byte_pane.h"
#include "views/document/document_view.h"

namespace {

struct Look {
    COLORREF background;
    COLORREF text;
};

// Offsets and unknown bytes: grey on the window's colour.
Look quiet() {
    return {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_GRAYTEXT)};
}

Look lookOf(uint8_t mark) {
    COLORREF window = GetSysColor(COLOR_WINDOW);
    if (mark & kByteUnknown) return quiet();
    if (mark & kInstanceCurrent) return {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT)};
    if (mark & kInstanceSelected) return {selectedByteShade(), GetSysColor(COLOR_WINDOWTEXT)};
    return {window, GetSysColor(COLOR_WINDOWTEXT)};
}

// Cells [first, end) of a formatted line, placed cell by cell so that a font that does not keep its
// pitch still lines up.
void drawCells(HDC dc, const ByteColumns& columns, int32_t y, const char* line, int first, int end,
               Look look) {
    SetBkColor(dc, look.background);
    SetTextColor(dc, look.text);
    INT advances[kMaxLineCells];
    std::fill(advances, advances + (end - first), columns.cell());
    RECT fill{columns.x(first), y, columns.x(end), y + columns.lineHeight()};
    ExtTextOutA(dc, fill.left, y, ETO_OPAQUE, &fill, line + first, static_cast<UINT>(end - first), advances);
}

void frameCells(HDC dc, const ByteColumns& columns, int32_t y, int first, int end) {
    RECT box{columns.x(first), y, columns.x(end), y + columns.lineHeight()};
    FrameRect(dc, &box, GetSysColorBrush(COLOR_WINDOWTEXT));
}

}  // namespace

COLORREF selectedByteShade() {
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    COLORREF window = GetSysColor(COLOR_WINDOW);
    auto fade = [](BYTE from, BYTE to) { return static_cast<BYTE>((from + 2 * to) / 3); };
    return RGB(fade(GetRValue(highlight), GetRValue(window)), fade(GetGValue(highlight), GetGValue(window)),
               fade(GetBValue(highlight), GetBValue(window)));
}

void BytePane::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    PaintLines(dc, paint.rcPaint);
    EndPaint(hwnd, &paint);
}

int32_t BytePane::ReadLines(int64_t first, int64_t count) {
    int64_t from = first * kBytesPerLine;
    return ReadBytes(from, static_cast<int32_t>(std::min<int64_t>(count * kBytesPerLine, bytes_.total() - from)));
}

int32_t BytePane::ReadBytes(int64_t from, int32_t wanted) {
    if (wanted <= 0) return 0;
    shown_.resize(static_cast<size_t>(wanted));
    marks_.resize(static_cast<size_t>(wanted));
    if (owner_.document->placed) return readPlacedBytes(owner_.document, {from, wanted, shown_.data(), marks_.data()});
    RowSpot row = bytes_.rowAt(from, rows_.last());
    int64_t rowOffset = bytes_.offsetOf(row, rows_.last());
    return readDocumentBytes(row.instance, rowOffset, {from, wanted, shown_.data(), marks_.data()});
}

void BytePane::PaintLines(HDC dc, const RECT& area) {
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &area, static_cast<HBRUSH>(brWindow));
    ByteColumns columns(bytes_.total());
    int32_t height = columns.lineHeight();
    int64_t first = topLine_ + std::max<LONG>(area.top, 0) / height;
    int64_t end = topLine_ + (std::min(area.bottom, client.bottom) + height - 1) / height;
    int32_t filled = ReadLines(first, end - first);
    HGDIOBJ oldFont = SelectObject(dc, bytePaneFont());
    for (int32_t at = 0; at < filled; at += kBytesPerLine) {
        int64_t line = first + at / kBytesPerLine;
        auto y = static_cast<int32_t>((line - topLine_) * height);
        PaintLine(dc, columns, line, y, std::min(filled - at, kBytesPerLine), at);
    }
    SelectObject(dc, oldFont);
}

void BytePane::PaintLine(HDC dc, const ByteColumns& columns, int64_t line, int32_t y, int count, int32_t at) {
    const uint8_t* marks = &marks_[at];
    char text[kMaxLineCells];
    columns.format(line * kBytesPerLine, &shown_[at], marks, count, text);
    int offsetEnd = columns.offsetCell() + columns.offsetDigits();
    drawCells(dc, columns, y, text, columns.offsetCell(), offsetEnd, quiet());
    for (int from = 0, to; from < count; from = to) {
        for (to = from + 1; to < count && marks[to] == marks[from];) ++to;
        Look look = lookOf(marks[from]);
        drawCells(dc, columns, y, text, columns.hexCell(from), columns.hexCell(to - 1) + 2, look);
        drawCells(dc, columns, y, text, columns.textCell(from), columns.textCell(to), look);
    }
    // The bytes from where Shift went down to the cursor, which Copy takes, are framed as one.
    int64_t lineStart = line * kBytesPerLine;
    int64_t first = std::max<int64_t>(std::min(anchor_, cursor_) - lineStart, 0);
    int64_t last = std::min<int64_t>(std::max(anchor_, cursor_) - lineStart, count - 1);
    if (GetFocus() == hwnd && first <= last) {
        auto from = static_cast<int>(first), to = static_cast<int>(last);
        frameCells(dc, columns, y, columns.hexCell(from), columns.hexCell(to) + 2);
        frameCells(dc, columns, y, columns.textCell(from), columns.textCell(to + 1));
    }
}

void BytePane::ShowCursorLine() {
    if (!hwnd) return;
    ByteColumns columns(bytes_.total());
    int64_t line = cursor_ / kBytesPerLine;
    char text[kMaxLineCells];
    int count = ReadLines(line, 1);
    columns.format(line * kBytesPerLine, shown_.data(), marks_.data(), count, text);
    // Without the margins, as a reader of the text wants it.
    int end = columns.cells();
    while (end > 0 && text[end - 1] == ' ') --end;
    text[end] = '\0';
    SetWindowTextA(hwnd, bytes_.total() > 0 ? text + columns.offsetCell() : "");
}
