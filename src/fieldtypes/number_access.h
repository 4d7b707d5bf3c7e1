#pragma once
// Whole numbers that field types hold, for expressions to read and bit rows to change: each family
// that holds one registers how to get and set it for its handler table.
#include <cstdint>

#include "fieldtypes/field_type.h"

struct NumberAccess {
    // The number as the row shows it: signed presentations sign-extended, unsigned ones as their bits.
    bool (*get)(const void* value, int64_t* number);
    // Stores the number's low bits at the value's width, in place; null for read-only values.
    void (*set)(void* value, int64_t number);
};

// Ignored once the table of families is full; the built-in families fit.
void registerNumberAccess(const FieldTypeProcs* procs, const NumberAccess* access);

// The access of the instance's field type; null when it holds no whole number.
const NumberAccess* numberAccessOf(const FieldInstance* instance);
// False when the instance holds no whole number.
bool numberOfValue(const FieldInstance* instance, int64_t* number);
