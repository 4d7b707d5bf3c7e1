#include "views/document/row_width.h"

#include <algorithm>

#include "fieldtypes/field_type.h"
#include "views/document/row_drawing.h"

RowWidth::RowWidth(HDC dc, const RECT& client, bool focused) : dc_(dc), client_(client), focused_(focused) {}

int32_t RowWidth::of(FieldInstance* instance) {
    surface_.clear();
    PaintContext paint{
        surface_.dc(), {client_.left, client_.top, client_.right, client_.bottom}, focused_ ? 1 : 0};
    RowLayout layout = rowLayout(instance, {0, 0, client_.right, static_cast<int32_t>(instance->height)});
    drawRowContent(instance, paint, layout);
    int32_t right = 0;
    for (const platform::DrawnText& text : surface_.texts) right = std::max(right, textEnd(text));
    // A line run to the row's right edge, as a list's bracket is, fills the row: only its start is content.
    for (const platform::DrawnLine& line : surface_.lines) {
        for (int32_t x : {line.x1, line.x2}) {
            if (x != layout.row.right) right = std::max(right, x);
        }
    }
    return right;
}

int32_t RowWidth::textEnd(const platform::DrawnText& text) const {
    HGDIOBJ before = text.font ? SelectObject(dc_, text.font) : nullptr;
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc_, text.text.data(), static_cast<int>(text.text.size()), &size);
    if (before) SelectObject(dc_, before);
    if ((text.align & TA_CENTER) == TA_CENTER) return text.x + size.cx / 2;
    if (text.align & TA_RIGHT) return text.x;
    return text.x + size.cx;
}

void ShownWidths::keepWithin(int64_t top, int64_t bottom) {
    rows_.erase(rows_.lower_bound(bottom), rows_.end());
    while (!rows_.empty() && rows_.begin()->second.bottom <= top) rows_.erase(rows_.begin());
}

int32_t ShownWidths::widest() const {
    int32_t widest = 0;
    for (const auto& row : rows_) widest = std::max(widest, row.second.width);
    return widest;
}
