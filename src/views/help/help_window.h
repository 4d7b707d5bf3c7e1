#pragma once
// THelpWindow: the program's documents, read-only, in a window of their own beside the main window:
// headings, wrapped paragraphs, code and tables in a fixed font, and links that go to their heading
// (a click, or Tab to one and Enter). The title names the section at the top.
#include <windows.h>

#include <string>
#include <vector>

#include "shell/help_text.h"

enum class HelpDocument { Guide, Language };

class THelpWindow {
  public:
    HWND hwnd = nullptr;

    // Created hidden, owned by the main window; Show brings it up.
    explicit THelpWindow(HWND owner);
    ~THelpWindow();
    THelpWindow(const THelpWindow&) = delete;
    THelpWindow& operator=(const THelpWindow&) = delete;

    // From its start, in front, with the keyboard.
    void Show(HelpDocument document);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // A line on the screen: part of a block's text in the block's font (help_layout.cpp).
    struct Line {
        size_t block;
        size_t start;
        size_t end;
        int top;
        int height;
    };
    void Layout();
    HFONT FontOf(const HelpBlock& block) const;
    // The part of the link on the line; false when it has none there.
    bool LinkOnLine(const Line& line, const HelpLink& link, size_t* from, size_t* to) const;
    // Left edge of a line's text up to the given character.
    int TextX(HDC dc, const Line& line, size_t at) const;

    void OnPaint();
    void PaintLine(HDC dc, const Line& line, int y);
    bool OnKeyDown(WPARAM key);
    void OnClick(LPARAM point);
    void OnVerticalScroll(int request);
    void ScrollTo(int top);
    void UpdateTitle();
    // Tab and Shift+Tab: the next or previous link, brought into view.
    void FocusLink(int step);
    void FollowLink(const HelpLink& link);

    std::vector<HelpBlock> blocks_;
    std::vector<Line> lines_;
    int contentHeight_ = 0;
    int top_ = 0;
    // Links in document order: the block and the link's index in it; the focused one, or -1.
    std::vector<std::pair<size_t, size_t>> links_;
    int focusedLink_ = -1;
    HFONT fonts_[4] = {};  // body, fixed, heading 1, heading 2; smaller headings use the bold font
};
