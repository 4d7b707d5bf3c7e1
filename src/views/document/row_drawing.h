#pragma once
// What one row shows. A data row is drawn by its field type; counts, sizes, list rows and rows
// without a value are drawn here: their caption, a count's number, the brackets of a counted list.
#include <cstdint>

#include "document/document.h"
#include "fieldtypes/field_type.h"

constexpr int32_t kIndentStep = 12;

// The layout a row's content is drawn on; the view draws from row.left = 0 and scrolls sideways by
// moving the device context's origin.
RowLayout rowLayout(const FieldInstance* instance, platform::Rect row);
// The content on a painted background.
void drawRowContent(FieldInstance* instance, PaintContext& paint, RowLayout& layout);
// The dotted line of each enclosing list, left of the content; only lines from x = 0 up to
// clipRight are drawn, so a row nested very deep costs a walk, not a line per level.
void drawNestingLines(platform::Dc dc, const FieldInstance* instance, int32_t left, int32_t top,
                      int32_t bottom, int32_t clipRight);
