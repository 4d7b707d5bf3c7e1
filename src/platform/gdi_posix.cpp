#include <cstring>

#include "platform/gdi.h"

namespace platform {

namespace {
// Stand-ins with fixed metrics, so that geometry is predictable in tests and in the tool's output.
struct PosixFont {
    int charWidth;
    TextMetric metric;
};
PosixFont normalFont{6, {13, 11, 2, 6}};
PosixFont boldFont{7, {13, 11, 2, 7}};
int brushes[32];
struct PosixPen {
    int style;
    int width;
    uint32_t colour;
};
PosixPen pens[16];
int pensMade = 0;
}  // namespace

uint32_t sysColor(int index) {
    return 0x00FF0000u | static_cast<uint32_t>(index);
}
Brush sysColorBrush(int index) {
    return &brushes[index & 31];
}

Pen createPen(int style, int width, uint32_t colour) {
    PosixPen* pen = &pens[pensMade++ % 16];
    *pen = PosixPen{style, width, colour};
    return pen;
}

Font defaultGuiFont() {
    return &normalFont;
}
Font createBoldFont(Font) {
    return &boldFont;
}
TextMetric textMetricOf(Font font) {
    return static_cast<PosixFont*>(font)->metric;
}

namespace system {

// Without a display there is nothing to draw on but a recording surface.
Font selectFont(Dc, Font) {
    return nullptr;
}
Pen selectPen(Dc, Pen) {
    return nullptr;
}
void setTextAlign(Dc, uint32_t) {}
void setTransparentBackground(Dc) {}
void textOut(Dc, int, int, const char*, int) {}
int textWidth(Dc, const char*, int) {
    return 0;
}
void moveTo(Dc, int, int) {}
void lineTo(Dc, int, int) {}

int measureText(Font font, const char*, int length) {
    const PosixFont* metrics = font ? static_cast<const PosixFont*>(font) : &normalFont;
    return length > 0 ? length * metrics->charWidth : 0;
}

}  // namespace system
}  // namespace platform
