#pragma once
// The row drawing the integer and string types share: the caption in bold at the row's indent, the
// value 12 pixels after it.
#include "fieldtypes/field_type.h"

constexpr int kValueGap = 12;

void drawCaptionAndValue(const PaintContext& paint, const RowLayout& row, const char* value, int valueLength,
                         platform::Font valueFont);
