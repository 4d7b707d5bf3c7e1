// The help window's lines: each block wrapped to the window's width in its font, and painted.
#include <algorithm>

#include "shell/drawing_resources.h"
#include "views/help/help_window.h"

namespace {

constexpr int kMargin = 12;
constexpr COLORREF kLinkColour = RGB(0, 0, 204);

}  // namespace

HFONT THelpWindow::FontOf(const HelpBlock& block) const {
    if (block.kind == HelpBlockKind::Fixed) return fonts_[1];
    if (block.kind == HelpBlockKind::Paragraph) return fonts_[0];
    return block.level == 1 ? fonts_[2] : block.level == 2 ? fonts_[3] : static_cast<HFONT>(fntBold);
}

void THelpWindow::Layout() {
    RECT client;
    GetClientRect(hwnd, &client);
    const int width = std::max<int>(client.right - 2 * kMargin, 1);
    HDC dc = GetDC(hwnd);
    lines_.clear();
    int y = kMargin;
    for (size_t b = 0; b < blocks_.size(); ++b) {
        const HelpBlock& block = blocks_[b];
        HGDIOBJ old = SelectObject(dc, FontOf(block));
        TEXTMETRICA metric;
        GetTextMetricsA(dc, &metric);
        const int height = metric.tmHeight;
        if (block.kind == HelpBlockKind::Heading && b > 0) y += height / 2;
        std::vector<size_t> starts{0};
        // Code and tables keep their lines: a window too narrow shows them cut.
        if (block.kind != HelpBlockKind::Fixed)
            starts = wrapText(block.text, width, [&](const char* text, size_t length) {
                SIZE size{};
                GetTextExtentPoint32A(dc, text, static_cast<int>(length), &size);
                return static_cast<int>(size.cx);
            });
        for (size_t i = 0; i < starts.size(); ++i) {
            size_t end = i + 1 < starts.size() ? starts[i + 1] : block.text.size();
            lines_.push_back({b, starts[i], end, y, height});
            y += height;
        }
        SelectObject(dc, old);
        const bool nextFixed = b + 1 < blocks_.size() && blocks_[b + 1].kind == HelpBlockKind::Fixed;
        if (!(block.kind == HelpBlockKind::Fixed && nextFixed)) y += height / 2;
    }
    ReleaseDC(hwnd, dc);
    contentHeight_ = y + kMargin;
}

bool THelpWindow::LinkOnLine(const Line& line, const HelpLink& link, size_t* from, size_t* to) const {
    *from = std::max(link.start, line.start);
    *to = std::min(link.start + link.length, line.end);
    return *from < *to;
}

int THelpWindow::TextX(HDC dc, const Line& line, size_t at) const {
    HGDIOBJ old = SelectObject(dc, FontOf(blocks_[line.block]));
    SIZE size{};
    GetTextExtentPoint32A(dc, blocks_[line.block].text.data() + line.start, static_cast<int>(at - line.start),
                          &size);
    SelectObject(dc, old);
    return kMargin + size.cx;
}

void THelpWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    SetBkMode(dc, TRANSPARENT);
    for (const Line& line : lines_) {
        const int y = line.top - top_;
        if (y + line.height > paint.rcPaint.top && y < paint.rcPaint.bottom) PaintLine(dc, line, y);
    }
    EndPaint(hwnd, &paint);
}

// Piece by piece, each where the text before it ends, so that no piece covers another: plain text, and
// links coloured and underlined, or highlighted when they have the keyboard.
void THelpWindow::PaintLine(HDC dc, const Line& line, int y) {
    const HelpBlock& block = blocks_[line.block];
    HGDIOBJ oldFont = SelectObject(dc, FontOf(block));
    size_t at = line.start;
    auto plainUpTo = [&](size_t end) {
        if (end <= at) return;
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        TextOutA(dc, TextX(dc, line, at), y, block.text.data() + at, static_cast<int>(end - at));
        at = end;
    };
    for (size_t l = 0; l < block.links.size(); ++l) {
        size_t from, to;
        if (!LinkOnLine(line, block.links[l], &from, &to)) continue;
        plainUpTo(from);
        const int left = TextX(dc, line, from), right = TextX(dc, line, to);
        const bool focused = focusedLink_ >= 0 && links_[focusedLink_] == std::make_pair(line.block, l);
        if (focused) {
            RECT box{left, y, right, y + line.height};
            FillRect(dc, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        SetTextColor(dc, focused ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kLinkColour);
        TextOutA(dc, left, y, block.text.data() + from, static_cast<int>(to - from));
        RECT underline{left, y + line.height - 2, right, y + line.height - 1};
        FillRect(dc, &underline, GetSysColorBrush(focused ? COLOR_HIGHLIGHTTEXT : COLOR_HOTLIGHT));
        at = to;
    }
    plainUpTo(line.end);
    SelectObject(dc, oldFont);
}
