#include <windows.h>

#include "platform/gdi.h"

namespace platform {

uint32_t sysColor(int index) {
    return GetSysColor(index);
}
Brush sysColorBrush(int index) {
    return GetSysColorBrush(index);
}
Pen createPen(int style, int width, uint32_t colour) {
    return CreatePen(style, width, colour);
}
Font defaultGuiFont() {
    return GetStockObject(DEFAULT_GUI_FONT);
}

Font createBoldFont(Font base) {
    LOGFONTA description;
    GetObjectA(base, sizeof description, &description);
    description.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&description);
}

TextMetric textMetricOf(Font font) {
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, font);
    TEXTMETRICA metric{};
    GetTextMetricsA(memory, &metric);
    SelectObject(memory, old);
    DeleteDC(memory);
    return TextMetric{metric.tmHeight, metric.tmAscent, metric.tmDescent, metric.tmAveCharWidth};
}

namespace system {

Font selectFont(Dc dc, Font font) {
    return SelectObject(static_cast<HDC>(dc), font);
}
Pen selectPen(Dc dc, Pen pen) {
    return SelectObject(static_cast<HDC>(dc), pen);
}
void setTextAlign(Dc dc, uint32_t align) {
    SetTextAlign(static_cast<HDC>(dc), align);
}
void setTransparentBackground(Dc dc) {
    SetBkMode(static_cast<HDC>(dc), TRANSPARENT);
}
void textOut(Dc dc, int x, int y, const char* text, int length) {
    TextOutA(static_cast<HDC>(dc), x, y, text, length);
}

int textWidth(Dc dc, const char* text, int length) {
    SIZE size{0, 0};
    GetTextExtentPoint32A(static_cast<HDC>(dc), text, length, &size);
    return size.cx;
}

void moveTo(Dc dc, int x, int y) {
    MoveToEx(static_cast<HDC>(dc), x, y, nullptr);
}
void lineTo(Dc dc, int x, int y) {
    LineTo(static_cast<HDC>(dc), x, y);
}

int measureText(Font font, const char* text, int length) {
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, font);
    int width = textWidth(memory, text, length);
    SelectObject(memory, old);
    DeleteDC(memory);
    return width;
}

}  // namespace system
}  // namespace platform
