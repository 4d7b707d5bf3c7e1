#include "platform/gdi.h"

#include "platform/recording_surface.h"

namespace platform {

Font selectFont(Dc dc, Font font) {
    RecordingSurface* surface = RecordingSurface::find(dc);
    if (!surface) return system::selectFont(dc, font);
    Font old = surface->font;
    surface->font = font;
    return old;
}

Pen selectPen(Dc dc, Pen pen) {
    RecordingSurface* surface = RecordingSurface::find(dc);
    if (!surface) return system::selectPen(dc, pen);
    Pen old = surface->pen;
    surface->pen = pen;
    return old;
}

void setTextAlign(Dc dc, uint32_t align) {
    if (RecordingSurface* surface = RecordingSurface::find(dc)) {
        surface->align = align;
    } else {
        system::setTextAlign(dc, align);
    }
}

void setTransparentBackground(Dc dc) {
    if (RecordingSurface* surface = RecordingSurface::find(dc)) {
        surface->transparent = true;
    } else {
        system::setTransparentBackground(dc);
    }
}

void textOut(Dc dc, int x, int y, const char* text, int length) {
    if (RecordingSurface* surface = RecordingSurface::find(dc)) {
        surface->texts.push_back(DrawnText{x, y, std::string(text, length > 0 ? length : 0), surface->font,
                                           surface->align, surface->transparent});
    } else {
        system::textOut(dc, x, y, text, length);
    }
}

int textWidth(Dc dc, const char* text, int length) {
    if (RecordingSurface* surface = RecordingSurface::find(dc)) {
        return system::measureText(surface->font, text, length);
    }
    return system::textWidth(dc, text, length);
}

void moveTo(Dc dc, int x, int y) {
    if (RecordingSurface* surface = RecordingSurface::find(dc)) {
        surface->penX = x;
        surface->penY = y;
    } else {
        system::moveTo(dc, x, y);
    }
}

void lineTo(Dc dc, int x, int y) {
    if (RecordingSurface* surface = RecordingSurface::find(dc)) {
        surface->lines.push_back(DrawnLine{surface->penX, surface->penY, x, y, surface->pen});
        surface->penX = x;
        surface->penY = y;
    } else {
        system::lineTo(dc, x, y);
    }
}

}  // namespace platform
