#include "views/document/row_drawing.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "document/count_display.h"
#include "document/row_kind.h"
#include "fieldtypes/field_type.h"
#include "platform/gdi.h"
#include "shell/drawing_resources.h"
#include "templates/row_parameters.h"
#include "templates/template.h"

using namespace platform;

namespace {

constexpr int32_t kLineOffset = 6;  // a list's line runs this far right of its row's indent step
constexpr int32_t kTextOffset = 4;
constexpr int32_t kNumberGap = 12;

int32_t indentOf(const FieldInstance* instance) {
    return instance->depth * kIndentStep;
}

void drawLine(Dc dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    moveTo(dc, x1, y1);
    lineTo(dc, x2, y2);
}

// The first header of a counted list opens the bracket; the headers of later items continue it.
void drawListHeader(Dc dc, const FieldInstance* instance, const Rect& row, int32_t bracket, int32_t mid) {
    bool firstItem = !instance->value || *static_cast<const int64_t*>(instance->value) == 0;
    selectPen(dc, penTreeLine);
    drawLine(dc, bracket, row.bottom, bracket, firstItem ? mid : row.top);
    drawLine(dc, bracket, mid, row.right, mid);
}

void drawListEnd(Dc dc, const Rect& row, int32_t bracket, int32_t mid) {
    selectPen(dc, penTreeLine);
    drawLine(dc, bracket, row.top, bracket, mid);
    lineTo(dc, row.right, mid);
}

// Longer labels are cut when drawn; a template file keeps no longer caption.
constexpr int32_t kMaxCaptionShown = 255;

void drawCaptionAndCount(Dc dc, const FieldInstance* instance, const RowLayout& layout) {
    const char* caption;
    int32_t captionLength;
    shownCaption(instance->field, &caption, &captionLength);
    int32_t x = layout.row.left + layout.indent;
    selectFont(dc, fntBold);
    setTextAlign(dc, kAlignLeftTop);
    setTransparentBackground(dc);
    textOut(dc, x, layout.row.top, caption, captionLength);
    int64_t shown = 0;
    if (!shownNumber(instance, &shown)) return;
    char number[100];
    int numberLength = std::snprintf(number, sizeof number, "%" PRId64, shown);
    int captionWidth = textWidth(dc, caption, captionLength);
    selectFont(dc, fntNormal);
    textOut(dc, x + captionWidth + kNumberGap, layout.row.top, number, numberLength);
}

void drawControlRow(const FieldInstance* instance, const PaintContext& paint, const RowLayout& layout) {
    const Rect& row = layout.row;
    int32_t mid = (row.top + row.bottom) / 2;
    // The bracket stands where the lines of the list's items run, at the list's own depth.
    int32_t bracket = row.left + indentOf(instance) + kLineOffset;
    switch (rowKindOf(instance->field->code).role) {
        case RowRole::CountedList:
            drawListHeader(paint.dc, instance, row, bracket, mid);
            break;
        case RowRole::ListEnd:
            drawListEnd(paint.dc, row, bracket, mid);
            break;
        default:
            drawCaptionAndCount(paint.dc, instance, layout);
            break;
    }
}

}  // namespace

RowLayout rowLayout(const FieldInstance* instance, Rect row) {
    // Field types draw a terminated caption; a label is copied out of the caption it begins.
    static char label[kMaxCaptionShown + 1];
    const char* caption;
    int32_t length;
    shownCaption(instance->field, &caption, &length);
    if (caption[length] != 0) {
        length = length < kMaxCaptionShown ? length : kMaxCaptionShown;
        std::memcpy(label, caption, static_cast<size_t>(length));
        label[length] = 0;
        caption = label;
    }
    return RowLayout{caption, row, instance->field->hasCases, indentOf(instance) + kTextOffset, instance->flags};
}

void drawRowContent(FieldInstance* instance, PaintContext& paint, RowLayout& layout) {
    const FieldType* type = instance->field->fieldType;
    // A key row has a field type only when one was registered for it, and never a value.
    if (type && instance->value) {
        type->procs.drawValue(instance, instance->value, &paint, &layout);
    } else {
        drawControlRow(instance, paint, layout);
    }
}

void drawNestingLines(Dc dc, const FieldInstance* instance, int32_t left, int32_t top, int32_t bottom,
                      int32_t clipRight) {
    selectPen(dc, penTreeLine);
    int64_t x = int64_t{left} + indentOf(instance) + kLineOffset;
    for (const FieldInstance* ancestor = instance->parent; ancestor; ancestor = ancestor->parent) {
        x -= kIndentStep;
        if (x < 0) break;  // every further ancestor lies further left
        if (x < clipRight) drawLine(dc, static_cast<int32_t>(x), top, static_cast<int32_t>(x), bottom);
    }
}
