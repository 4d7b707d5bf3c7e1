#pragma once
// BytePane: a document tab's bytes as they would be saved now, beside or below its rows: the offset,
// sixteen bytes a line in hex, the same bytes as text. The current row's bytes are highlighted and
// the selected rows' shaded; a byte cursor, moved by clicks and keys, makes the row that holds it
// current, and follows the current row when the rows pane moves it. Only the lines in view are read.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "views/document/byte_columns.h"
#include "views/document/byte_track.h"
#include "views/document/row_track.h"

class TfrmDocument;

constexpr int32_t kMaxCopiedBytes = 1 << 20;

// Registers the window class "TBytePane" with the document view's.
void registerBytePaneClass();

// The background of the selected rows' bytes, but the current one's: the highlight faded toward the
// window's colour, so that it tells the selection as the rows show it without hiding the current row.
COLORREF selectedByteShade();

class BytePane {
  public:
    HWND hwnd = nullptr;

    BytePane(TfrmDocument& owner, ByteTrack& bytes, const RowTrack& rows)
        : owner_(owner), bytes_(bytes), rows_(rows) {}
    ~BytePane();
    BytePane(const BytePane&) = delete;
    BytePane& operator=(const BytePane&) = delete;

    // A visible child of the parent beside the rows' window, shown and hidden with it from then on.
    void Create(HWND parent);
    // The width that shows a whole line with the scroll bar.
    int32_t FullWidth() const;
    int64_t Cursor() const { return cursor_; }
    int64_t TopLine() const { return topLine_; }

    // The current row changed: the cursor goes to the row's first byte unless it is in the row
    // already, and comes into view.
    void FollowCurrent();
    // The cursor on a byte of the current row, which Go to offset or Find made current; Find selects
    // the bytes found, from the cursor through `through`.
    void PlaceCursor(int64_t offset, int64_t through = -1);
    // The document's bytes changed.
    void BytesChanged();
    // The bytes from where Shift was last up to the cursor, in hexadecimal; false when there are more
    // than kMaxCopiedBytes.
    bool SelectionHex(std::string* text);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    friend void registerBytePaneClass();

    // Painting (byte_pane_paint.cpp).
    void OnPaint();
    void PaintLines(HDC dc, const RECT& area);
    // The line's count bytes from index at of the bytes read.
    void PaintLine(HDC dc, const ByteColumns& columns, int64_t line, int32_t y, int count, int32_t at);
    // Reads the bytes of the lines (or from an offset) into shown_ and marks_; how many there are.
    int32_t ReadLines(int64_t first, int64_t count);
    int32_t ReadBytes(int64_t from, int32_t wanted);
    // The window's text is the cursor's line as shown, for screen readers and for reading the pane
    // from outside.
    void ShowCursorLine();

    // Mouse and keys (byte_pane_input.cpp).
    void OnLeftButtonDown(WPARAM keys, LPARAM point);
    bool OnKeyDown(WPARAM key);
    void MoveCursor(int64_t to, bool extend);

    // Scrolling in lines (byte_pane_scroll.cpp).
    void OnVerticalScroll(int request);
    void OnMouseWheel(int delta);
    void UpdateScrollRange();
    void ScrollTo(int64_t line);
    void KeepCursorVisible();
    int64_t LineCount() const;
    int32_t PageLines() const;

    TfrmDocument& owner_;
    ByteTrack& bytes_;
    const RowTrack& rows_;
    int64_t topLine_ = 0;
    int64_t cursor_ = 0;
    int64_t anchor_ = 0;  // where the selection of bytes began
    int wheelRest_ = 0;
    std::vector<unsigned char> shown_;  // the bytes of the lines being painted
    std::vector<uint8_t> marks_;
};
