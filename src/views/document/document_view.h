#pragma once
// TfrmDocument: a bound document on a tab of the main frame, one row per field instance. The user
// selects rows, moves the current row, edits values, inserts and deletes list items, undoes and
// redoes changes, goes to a byte offset and scrolls; the status bar tells where the current row is,
// and the byte pane beside or below the rows shows the document's bytes.
#include <windows.h>

#include <cstdint>
#include <string>

#include "document/document.h"
#include "mainwindow/view.h"
#include "views/document/byte_pane.h"
#include "views/document/byte_track.h"
#include "views/document/document_extent.h"
#include "views/document/find_dialog.h"
#include "views/document/row_selection.h"
#include "views/document/row_track.h"
#include "views/document/row_width.h"

// Registers the window class "TfrmDocument"; the main frame does it when it is created.
void registerDocumentViewClass();

class TfrmDocument : public TfrmView {
  public:
    Document* document;  // owned
    FieldInstance* current = nullptr;
    int64_t scrollOffset = 0;  // pixels of content above the window
    int32_t captureCount = 0;  // mouse buttons holding the capture

    // Takes over the document and creates the window on the parent (the main window), covering its
    // client area. The first row, if any, is selected and current.
    TfrmDocument(TfrmMain* owner, HWND parent, Document* shown);
    ~TfrmDocument() override;

    void SetBounds(const RECT& bounds) override;
    // The file's name, "Untitled" for a new document.
    const char* FileName() const override;
    bool Unsaved() const override;
    // The current row's offset, size, code and item, the document's bytes and rows.
    void UpdateStatus() override;

    // Every row takes the new height (document_history.cpp).
    void FontsChanged() override;

    // Undo, Redo, Delete item (document_history.cpp), Go to offset (document_goto.cpp), Find
    // (document_find.cpp), Copy and Paste (document_copy.cpp).
    void OnEditCommand(int id) override;
    bool CanEditCommand(int id) const override;

    // The byte pane moved its cursor: the row that holds the byte becomes current and comes into view,
    // the selection extended to it or made anew.
    void CurrentFromByte(int64_t offset, bool extend);
    RowSpot CurrentSpot() const { return {current, currentTop_}; }
    const BytePane& Bytes() const { return pane_; }

    int32_t ScrollLeft() const { return scrollLeft_; }
    int64_t ContentHeight() const { return rows_.height(); }
    int64_t RowCount() const { return rows_.count(); }
    int32_t ContentWidth() const { return widestRow_; }

  private:
    TfrmDocument(TfrmMain* owner, HWND parent, Document* shown, const DocumentExtent& extent);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    friend void registerDocumentViewClass();

    // Painting (document_paint.cpp).
    void OnPaint();
    void PaintRows(HDC dc, const RECT& area);
    void PaintRow(HDC dc, RowSpot spot, const RECT& client, bool focused);

    // Mouse (document_mouse.cpp).
    void OnLeftButtonDown(WPARAM keys, LPARAM point);
    void OnLeftDoubleClick(LPARAM point);
    void TakeCapture();
    void GiveBackCapture();
    void OnCaptureChanged(HWND taker);
    RowSpot HitTest(LPARAM point) const;

    // Keyboard (document_keys.cpp); false for keys left to default processing.
    bool OnKeyDown(WPARAM key);
    void MoveCurrent(RowSpot to, bool extend);
    RowSpot PageFrom(RowSpot from, bool down) const;

    // Changes (document_changes.cpp, document_history.cpp).
    void EditCurrent();
    // A change the document refused says why.
    void SayWhyRefused();
    void InsertAtCurrent();
    void DeleteAtCurrent();
    void GoToOffset();

    // Find, and again forward or backward: in the byte pane (inPane) text and bytes are found from the
    // cursor, elsewhere rows from the current row and bytes from the current row's first.
    void Find();
    void FindAgain(bool forward, bool inPane);
    bool FindRowFrom(bool forward, bool* wrapped);
    bool FindBytesFrom(bool forward, bool* wrapped);
    // Says on the status bar until the current row moves.
    void Note(const std::string& note);

    // The selected rows as `sondrix-cli dump` prints them, or the byte pane's selection in hexadecimal.
    void Copy();
    // Hexadecimal bytes from the clipboard over the bytes from the byte pane's cursor on.
    void Paste();

    // Vertical scrolling (document_scroll.cpp).
    void OnVerticalScroll(int request);
    void OnMouseWheel(int delta);
    void UpdateScrollRange();
    void ScrollTo(int64_t offset);
    // Items bound to be shown fold again once many are out of sight, so that memory follows the
    // screen rather than all that was scrolled past.
    void FoldRowsOutOfSight();
    void KeepCurrentVisible();
    int32_t ClientHeight() const;
    int32_t LineHeight() const;
    int32_t PageHeight() const;

    // Horizontal scrolling (document_scroll_sideways.cpp).
    void OnHorizontalScroll(int request);
    void OnHorizontalWheel(int delta);
    void UpdateWidthRange();
    void ScrollSidewaysTo(int64_t left);
    void ScrollSideways(int32_t lines);
    int32_t ClientWidth() const;
    void SetContentWidth(int32_t width);

    // After a change anywhere the rows are laid out again in one walk; the current row stays when
    // it is still there, else the row now at its place becomes current.
    void RowsChanged();
    // A change that put a new binding in place leaves none of the rows there were: the row now at the
    // current row's place becomes current. Whether one did since the document had `layouts`.
    bool takeNewLayout(int64_t layouts);

    void MakeCurrent(RowSpot spot);

    char* fileName_;  // owned; a document keeps its path
    RowTrack rows_;
    ByteTrack bytes_;
    BytePane pane_{*this, bytes_, rows_};
    RowSpot top_{};           // the row under the top edge of the window
    int64_t currentTop_ = 0;  // where the current row lies
    RowSelection selection_;
    int32_t scrollLeft_ = 0;  // pixels of content left of the window
    int32_t widestRow_ = 0;   // the widest row in view
    ShownWidths shownWidths_;
    int wheelRest_ = 0;  // wheel turns too small for a line yet
    int64_t instancesFolded_ = 0;  // the document's instances after items last folded again
    int sidewaysWheelRest_ = 0;
    FindRequest findRequest_;  // what was found last, for Find next
    std::string note_;
};
