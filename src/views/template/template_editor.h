#pragma once
// TfrmTemplate: the template editor on a tab of the main frame. It shows its own clone of a library
// template as numbered rows of code and caption, indented by nesting, lets the user insert, edit
// and delete rows through the field dialog, and saves the clone back to the template's file.
#include <windows.h>

#include <cstdint>

#include "mainwindow/view.h"

class Template;

constexpr const char* kTemplateEditorClass = "TfrmTemplate";

class TfrmTemplate : public TfrmView {
  public:
    // Null when the clone or the window cannot be made.
    static TfrmTemplate* Create(TfrmMain* owner, HWND parent, const Template* libraryTemplate);
    ~TfrmTemplate() override;

    void SetBounds(const RECT& bounds) override;
    const char* FileName() const override;
    bool Unsaved() const override;
    // The template's own path; on success the library's template of the same name is replaced.
    int32_t Save() override;

    // Draws the visible rows into dc, which covers the client area.
    void Paint(HDC dc);
    // The row under a client point (possibly past the last field), or -1 outside the client area.
    int32_t HitTest(int x, int y) const;
    void ScrollIntoView(int32_t row);
    void EditField(int32_t row);
    void InsertFieldAt(int32_t row);
    void DeleteFieldAt(int32_t row);

    Template* templ = nullptr;  // owned clone
    bool saved = true;
    int32_t topRow = 0;
    int32_t bottomRow = 0;
    int32_t pageRows = 0;
    int32_t selStart = 0;
    int32_t selEnd = 0;
    int32_t caretRow = 0;  // -1 after the last field was deleted
    int32_t scrollX = 0;
    int32_t codeWidth = 0;
    int32_t contentWidth = 0;
    int32_t numberWidth = 0;
    int32_t captureCount = 0;

    // Once, by the main frame's construction.
    static void RegisterWindowClass();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    TfrmTemplate(TfrmMain* owner, Template* clone);
    void CreateEditorWindow(HWND parent);
    void MeasureColumns();

    int32_t RowHeight() const;
    bool IsField(int32_t row) const;
    int ClientWidth() const;

    void OnPaint();
    void OnSize();
    void OnVScroll(WPARAM request);
    void OnHScroll(WPARAM request);
    void OnMouseWheel(int delta);
    void ScrollToRow(int64_t row);
    void OnButtonDown(WPARAM keys, int x, int y, bool left);
    void OnButtonUp();
    void OnCaptureChanged(HWND taker);
    void OnDoubleClick(int x, int y);
    // False for keys that go on to the main window.
    bool OnKeyDown(WPARAM key);
    int32_t CaretTarget(WPARAM key) const;
    void OnInsertKey(bool shift);
    void OnDeleteKey(bool shift);

    int wheelRemainder = 0;  // wheel rotation short of a whole notch
};
