#include "fieldtypes/byte_shape.h"

namespace {

constexpr int kMaxFamilies = 8;

struct Entry {
    ReadValueProc read;
    ByteShapeProc shapeOf;
};

Entry entries[kMaxFamilies];
int entryCount = 0;

}  // namespace

void registerByteShape(const FieldTypeProcs* procs, ByteShapeProc shapeOf) {
    for (int i = 0; i < entryCount; ++i) {
        if (entries[i].read == procs->readValue) return;
    }
    if (entryCount < kMaxFamilies) entries[entryCount++] = Entry{procs->readValue, shapeOf};
}

// Families are told apart by their read slot, as the registry keeps a copy of each handler table.
bool byteShapeOf(const FieldType* type, FieldCode code, ByteShape* shape) {
    if (!type || !type->procs.readValue) return false;
    for (int i = 0; i < entryCount; ++i) {
        if (entries[i].read == type->procs.readValue) return entries[i].shapeOf(code, shape);
    }
    return false;
}
