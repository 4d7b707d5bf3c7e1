#include "shell/drawing_resources.h"

using namespace platform;

uint32_t clrHighlight = 0;
Brush brWindow = nullptr;
Brush brBtnFace = nullptr;
Brush brHighlight = nullptr;
Brush brInactiveSelection = nullptr;
Pen penBlack = nullptr;
Pen penHighlight = nullptr;
Pen penDivider = nullptr;
Pen penTreeLine = nullptr;
Font fntNormal = nullptr;
Font fntBold = nullptr;
TextMetric tmNormal{};
TextMetric tmBold{};

void createDrawingResources() {
    clrHighlight = sysColor(kColorHighlight);
    brWindow = sysColorBrush(kColorWindow);
    brBtnFace = sysColorBrush(kColorBtnFace);
    brHighlight = sysColorBrush(kColorHighlight);
    brInactiveSelection = sysColorBrush(kColorBtnFace);
    penBlack = createPen(kPenSolid, 1, 0x000000);
    penHighlight = createPen(kPenSolid, 1, clrHighlight);
    penDivider = createPen(kPenSolid, 1, 0xD4D0C8);
    penTreeLine = createPen(kPenDot, 1, 0xFF7F00);
    fntNormal = defaultGuiFont();
    fntBold = createBoldFont(fntNormal);
    tmNormal = textMetricOf(fntNormal);
    tmBold = textMetricOf(fntBold);
}
