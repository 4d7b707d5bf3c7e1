#include "fieldtypes/number_access.h"

#include "document/document.h"
#include "templates/template.h"

namespace {

struct Entry {
    const FieldTypeProcs* procs;
    const NumberAccess* access;
};

constexpr int kMaxFamilies = 16;
Entry entries[kMaxFamilies];
int entryCount = 0;

}  // namespace

void registerNumberAccess(const FieldTypeProcs* procs, const NumberAccess* access) {
    for (int i = 0; i < entryCount; ++i) {
        if (entries[i].procs->readValue == procs->readValue) return;
    }
    if (entryCount < kMaxFamilies) entries[entryCount++] = Entry{procs, access};
}

// Families are told apart by their read slot: the registry keeps a copy of each handler table.
const NumberAccess* numberAccessOf(const FieldInstance* instance) {
    const FieldType* type = instance->field->fieldType;
    if (!type || !instance->value) return nullptr;
    for (int i = 0; i < entryCount; ++i) {
        if (entries[i].procs->readValue == type->procs.readValue) return entries[i].access;
    }
    return nullptr;
}

bool numberOfValue(const FieldInstance* instance, int64_t* number) {
    const NumberAccess* access = numberAccessOf(instance);
    return access && access->get(instance->value, number);
}
