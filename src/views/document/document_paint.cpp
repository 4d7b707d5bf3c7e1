// Painting the document view: from the row under the window's top edge down to the bottom of the
// area to paint, so a screenful costs the same in any document.
#include <windows.h>

#include "shell/drawing_resources.h"
#include "views/document/document_view.h"
#include "views/document/row_drawing.h"
#include "views/document/row_width.h"

void TfrmDocument::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    PaintRows(dc, paint.rcPaint);
    EndPaint(hwnd, &paint);
}

void TfrmDocument::PaintRows(HDC dc, const RECT& area) {
    RECT client;
    GetClientRect(hwnd, &client);
    bool focused = GetFocus() == hwnd;
    RowWidth width(dc, client, focused);
    // A width does not depend on the columns painted: a paint of the whole height sees every row in view.
    if (area.top <= 0 && area.bottom >= client.bottom) {
        shownWidths_.clear();
    } else {
        shownWidths_.keepWithin(scrollOffset, scrollOffset + client.bottom);
    }
    // What lies between the rows painted stays empty: below the last, and where a fold could not be
    // bound (its file changed).
    auto fillEmpty = [&](int64_t from, int64_t to) {
        if (from >= to) return;
        RECT empty{area.left, static_cast<LONG>(from), area.right, static_cast<LONG>(to)};
        FillRect(dc, &empty, static_cast<HBRUSH>(brWindow));
    };
    int64_t painted = area.top;  // in client coordinates
    for (RowSpot spot = top_; spot.instance; spot = RowTrack::next(spot)) {
        int64_t rowTop = spot.top - scrollOffset;
        if (rowTop >= area.bottom) break;
        int64_t rowBottom = rowTop + spot.instance->height;
        if (rowBottom <= area.top) continue;
        fillEmpty(painted, rowTop);
        PaintRow(dc, spot, client, focused);
        shownWidths_.note(spot.top, spot.top + spot.instance->height, width.of(spot.instance));
        painted = rowBottom;
    }
    fillEmpty(painted, area.bottom);
    SetContentWidth(shownWidths_.widest());
}

void TfrmDocument::PaintRow(HDC dc, RowSpot spot, const RECT& client, bool focused) {
    FieldInstance* instance = spot.instance;
    auto top = static_cast<int32_t>(spot.top - scrollOffset);
    RECT fill{0, top, client.right, static_cast<LONG>(top + instance->height)};
    bool selected = (instance->flags & kInstanceSelected) != 0;
    platform::Brush background = selected ? (focused ? brHighlight : brInactiveSelection) : brWindow;
    FillRect(dc, &fill, static_cast<HBRUSH>(background));
    SetTextColor(dc, GetSysColor(selected && focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));

    int32_t left = -scrollLeft_;
    drawNestingLines(dc, instance, left, fill.top, fill.bottom, client.right);
    // The content is drawn unscrolled on a shifted origin, so that what a field type places by the
    // client rectangle, as a divider does, moves with the rest.
    POINT origin;
    SetWindowOrgEx(dc, scrollLeft_, 0, &origin);
    PaintContext paint{dc, {client.left, client.top, client.right, client.bottom}, focused ? 1 : 0};
    RowLayout layout = rowLayout(instance, {0, fill.top, scrollLeft_ + client.right, fill.bottom});
    drawRowContent(instance, paint, layout);
    SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
    if (instance == current && focused) DrawFocusRect(dc, &fill);
}
