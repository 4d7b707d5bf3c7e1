#pragma once
// The numbers of rows that changes keep up to date: counts, sizes and lengths the engine holds, and
// integers of field types that other rows' expressions name (a length, an offset).
#include <cstdint>

#include "document/document.h"

bool rowNumber(const FieldInstance* instance, int64_t* number);
// Whether the row holds the number unchanged: within its width, unsigned for engine numbers.
bool numberFits(FieldInstance* instance, int64_t number);
// After numberFits.
void setRowNumber(FieldInstance* instance, int64_t number);
