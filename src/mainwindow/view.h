#pragma once
// What every view on a tab of the main frame has: its child window of the main window, the text
// of its tab and the frame that owns it.
#include <windows.h>

#include <cstdint>

class TfrmMain;

class TfrmView {
  public:
    HWND hwnd = nullptr;
    char* caption = nullptr;  // owned
    TfrmMain* frame = nullptr;

    explicit TfrmView(TfrmMain* owner) : frame(owner) {}
    virtual ~TfrmView();
    TfrmView(const TfrmView&) = delete;
    TfrmView& operator=(const TfrmView&) = delete;

    // Places the view's window on a rectangle of the main window's client area.
    virtual void SetBounds(const RECT& bounds) = 0;
    // The caption anew, the file's name with " [*]" while there are unsaved changes, on the view's
    // window and its tab.
    void UpdateCaption();
    // The name of the view's file as its tab shows it, without the mark.
    virtual const char* FileName() const = 0;
    // Whether the view holds changes its file has not; by default nothing is ever changed.
    virtual bool Unsaved() const;
    // The Edit menu's commands: Undo, Redo, Copy, Paste, Delete item, Go to offset, Find; by default
    // nothing.
    virtual void OnEditCommand(int id);
    // Whether OnEditCommand(id) would do anything now; the Edit menu greys the items that would not.
    virtual bool CanEditCommand(int id) const;
    // Puts what the view tells about itself on the frame's status bar while it is shown; by
    // default nothing.
    virtual void UpdateStatus();
    // The fonts' sizes changed: by default the view is painted anew.
    virtual void FontsChanged();
    // Only the template editor has something to save; negative on failure.
    virtual int32_t Save();
};
