#pragma once
// The number a count row shows: the count as read, seen at its width, plus one for zero-based
// counts, which is how many items the list has.
#include <cstdint>

struct FieldInstance;

// False for rows that are not counts (sizes show no number) or have no number.
bool shownCount(const FieldInstance* instance, int64_t* shown);
