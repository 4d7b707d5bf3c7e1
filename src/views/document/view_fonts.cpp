#include "views/document/view_fonts.h"

#include <windows.h>

#include "shell/drawing_resources.h"
#include "shell/font_sizes.h"
#include "views/document/byte_columns.h"

namespace {

// CreateFont's height of the characters alone, for the screen.
int pixelsOf(int points) {
    HDC screen = GetDC(nullptr);
    int pixels = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace

void applyFontSizes() {
    static const auto systemFont = static_cast<HFONT>(fntNormal);
    static const int systemHeight = tmNormal.height;
    static int rowsMade = 0;
    const int rows = fontPoints(FontUse::Rows);
    if (rows != rowsMade) {
        LOGFONTA description;
        GetObjectA(systemFont, sizeof description, &description);
        description.lfHeight = pixelsOf(rows);
        description.lfWidth = 0;
        // The fonts before stay: the tab control and the status bar may still have them.
        fntNormal = rows ? CreateFontIndirectA(&description) : systemFont;
        fntBold = platform::createBoldFont(fntNormal);
        tmNormal = platform::textMetricOf(fntNormal);
        tmBold = platform::textMetricOf(fntBold);
        rowsMade = rows;
    }
    const int bytes = fontPoints(FontUse::Bytes);
    makeBytePaneFont(bytes ? pixelsOf(bytes) : systemHeight);
}
