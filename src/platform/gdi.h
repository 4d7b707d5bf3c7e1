#pragma once
// The few GDI calls the engine makes: the shared drawing resources and the text and line output of
// the field types. A device context may also be a RecordingSurface, which keeps what was drawn.
#include <cstdint>

#include "platform/types.h"

namespace platform {

// Win32 values.
constexpr int kColorHighlight = 13;
constexpr int kColorWindow = 5;
constexpr int kColorBtnFace = 15;
constexpr int kPenSolid = 0;
constexpr int kPenDot = 2;
constexpr uint32_t kAlignLeftTop = 0;  // TA_LEFT | TA_TOP
constexpr uint32_t kAlignRight = 2;    // TA_RIGHT

struct TextMetric {
    int32_t height;
    int32_t ascent;
    int32_t descent;
    int32_t averageCharWidth;
};

// Creation of the shared drawing resources.
uint32_t sysColor(int index);
Brush sysColorBrush(int index);
Pen createPen(int style, int width, uint32_t colour);
Font defaultGuiFont();
Font createBoldFont(Font base);  // the base font's LOGFONT with weight 700
TextMetric textMetricOf(Font font);

// Drawing; each call goes to the recording surface when dc is one.
Font selectFont(Dc dc, Font font);
Pen selectPen(Dc dc, Pen pen);
void setTextAlign(Dc dc, uint32_t align);
void setTransparentBackground(Dc dc);
void textOut(Dc dc, int x, int y, const char* text, int length);
int textWidth(Dc dc, const char* text, int length);  // GetTextExtentPoint32A
void moveTo(Dc dc, int x, int y);
void lineTo(Dc dc, int x, int y);

// The system half behind each call, for a real device context.
namespace system {
Font selectFont(Dc dc, Font font);
Pen selectPen(Dc dc, Pen pen);
void setTextAlign(Dc dc, uint32_t align);
void setTransparentBackground(Dc dc);
void textOut(Dc dc, int x, int y, const char* text, int length);
int textWidth(Dc dc, const char* text, int length);
void moveTo(Dc dc, int x, int y);
void lineTo(Dc dc, int x, int y);
// Width of a text in a font without a device context (used by the recording surface).
int measureText(Font font, const char* text, int length);
}  // namespace system

}  // namespace platform
