// Measuring the columns and painting the rows: row number, code and caption, the last two
// indented by nesting depth.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "shell/drawing_resources.h"
#include "templates/template.h"
#include "views/template/template_editor.h"

namespace {

constexpr int kIndentPerLevel = 8;

// A code typed with fewer than four characters ends at its first zero byte.
int codeLength(const TemplateField& field) {
    return static_cast<int>(strnlen(field.code, sizeof field.code));
}

int captionLength(const TemplateField& field) {
    return static_cast<int>(std::strlen(field.caption));
}

int extentOf(HDC dc, const char* text, int length) {
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text, length, &size);
    return size.cx;
}

HBRUSH brushOf(platform::Brush brush) {
    return static_cast<HBRUSH>(brush);
}

}  // namespace

void TfrmTemplate::MeasureColumns() {
    HDC dc = GetDC(hwnd);
    HGDIOBJ oldFont = SelectObject(dc, fntBold);
    int widestCode = 0;
    for (int32_t i = 0; i < templ->fieldCount; ++i) {
        const TemplateField& field = *templ->fields[i];
        widestCode = std::max(widestCode, extentOf(dc, field.code, codeLength(field)));
    }
    SelectObject(dc, fntNormal);
    int widestCaption = 0;
    for (int32_t i = 0; i < templ->fieldCount; ++i) {
        const TemplateField& field = *templ->fields[i];
        widestCaption = std::max(
            widestCaption, extentOf(dc, field.caption, captionLength(field)) + kIndentPerLevel * field.depth);
    }
    char number[16];
    int numberLength = std::snprintf(number, sizeof number, "%d", templ->fieldCount);
    numberWidth = extentOf(dc, number, numberLength);
    SelectObject(dc, oldFont);
    ReleaseDC(hwnd, dc);

    codeWidth = widestCode + 4;
    contentWidth = widestCaption + codeWidth + numberWidth + 8;
}

void TfrmTemplate::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    Paint(dc);
    EndPaint(hwnd, &paint);
}

void TfrmTemplate::Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int rowHeight = RowHeight();
    const bool focused = GetFocus() == hwnd;
    const int codeX = numberWidth + 8 - scrollX;
    const int captionX = codeX + codeWidth;

    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, fntNormal);
    UINT oldAlign = GetTextAlign(dc);
    RECT row{0, 0, client.right, 0};
    for (int32_t r = topRow; r <= bottomRow && row.bottom < client.bottom; ++r) {
        row.top = (r - topRow) * rowHeight;
        row.bottom = row.top + rowHeight;
        const bool selected = r >= selStart && r <= selEnd;
        if (!selected) {
            FillRect(dc, &row, brushOf(brWindow));
        } else if (focused) {
            FillRect(dc, &row, brushOf(brHighlight));
            if (r == caretRow) DrawFocusRect(dc, &row);
        } else {
            FillRect(dc, &row, brushOf(brInactiveSelection));
        }
        if (r >= templ->fieldCount) break;  // the row past the end gets only its background

        const TemplateField& field = *templ->fields[r];
        const int indent = kIndentPerLevel * field.depth;
        SetTextAlign(dc, TA_LEFT | TA_TOP);
        SelectObject(dc, fntBold);
        TextOutA(dc, codeX + indent, row.top, field.code, codeLength(field));
        SelectObject(dc, fntNormal);
        TextOutA(dc, captionX + indent, row.top, field.caption, captionLength(field));
        char number[16];
        int numberLength = std::snprintf(number, sizeof number, "%d", r + 1);
        SetTextAlign(dc, TA_RIGHT | TA_TOP);
        TextOutA(dc, numberWidth, row.top, number, numberLength);
    }
    // Below the rows, as the erase would leave it: key and scroll repaints do not erase.
    RECT rest{0, row.bottom, client.right, client.bottom};
    if (rest.top < rest.bottom) FillRect(dc, &rest, brushOf(brWindow));
    SetTextAlign(dc, oldAlign);
    SelectObject(dc, oldFont);
}
