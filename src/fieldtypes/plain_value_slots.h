#pragma once
// The slots of a family whose values are plain records in value memory: freeing, copying, and
// drawing the value as the text the family's Slots::format writes (at most kPlainValueText bytes).
#include <cstring>

#include "fieldtypes/field_type.h"
#include "fieldtypes/value_drawing.h"
#include "fieldtypes/value_memory.h"
#include "shell/drawing_resources.h"

constexpr size_t kPlainValueText = 48;

template <typename Record, typename Slots>
struct PlainValueSlots {
    static void destroyValue(FieldInstance*, void* value) { deleteValue(static_cast<Record*>(value)); }

    static void* cloneValue(FieldInstance*, void* value) { return newValue(*static_cast<Record*>(value)); }

    static void drawValue(FieldInstance*, void* value, PaintContext* paint, RowLayout* row) {
        char text[kPlainValueText];
        Slots::format(static_cast<const Record*>(value), text);
        drawCaptionAndValue(*paint, *row, text, static_cast<int>(std::strlen(text)), fntNormal);
    }
};
