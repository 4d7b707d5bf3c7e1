#pragma once
// The number a count or size row shows: the number as read, seen at its width; for zero-based
// counts plus one, which is how many items the list has.
#include <cstdint>

struct FieldInstance;

// False for rows that are not counts, sizes or lengths, or have no number.
bool shownNumber(const FieldInstance* instance, int64_t* shown);
