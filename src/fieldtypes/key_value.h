#pragma once
// The value of a key field (KBYT, KNAM and their siblings): the bytes as they stand in the file,
// which the binder compares with the values of the CASE rows.
#include <cstdint>

#include "fieldtypes/field_type.h"

struct KeyValue {
    FieldCode code;
    uint8_t width;
    unsigned char bytes[8];
};

// The key value of an instance of a built-in key type; null for any other instance.
const KeyValue* keyValueOf(const FieldInstance* instance);
