#include "fieldtypes/value_drawing.h"

#include <cstring>

#include "platform/gdi.h"
#include "shell/drawing_resources.h"

using namespace platform;

void drawCaptionAndValue(const PaintContext& paint, const RowLayout& row, const char* value, int valueLength,
                         Font valueFont) {
    const char* caption = row.caption ? row.caption : "";
    int captionLength = static_cast<int>(std::strlen(caption));
    int x = row.row.left + row.indent;
    selectFont(paint.dc, fntBold);
    setTextAlign(paint.dc, kAlignLeftTop);
    setTransparentBackground(paint.dc);
    textOut(paint.dc, x, row.row.top, caption, captionLength);
    int captionWidth = textWidth(paint.dc, caption, captionLength);
    selectFont(paint.dc, valueFont);
    textOut(paint.dc, x + captionWidth + kValueGap, row.row.top, value, valueLength);
}
