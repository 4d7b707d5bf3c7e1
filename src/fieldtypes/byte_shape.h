#pragma once
// How many bytes a field takes, told from the file's bytes without making its value: a fixed width,
// or a length prefix and that many bytes. Lists count their items this way when they fold them.
#include <cstdint>

#include "fieldtypes/field_type.h"

struct ByteShape {
    int32_t fixed;   // bytes every field of the code takes
    int32_t prefix;  // then the width of a length prefix that many bytes follow; 0 for none
    bool bigEndian;  // of the prefix
};

// False for codes of the family whose bytes cannot be told from a prefix.
using ByteShapeProc = bool (*)(FieldCode code, ByteShape* shape);

// Ignored once the table of families is full; the built-in families fit.
void registerByteShape(const FieldTypeProcs* procs, ByteShapeProc shapeOf);

// False when the field's bytes cannot be told without reading its value.
bool byteShapeOf(const FieldType* type, FieldCode code, ByteShape* shape);
