#include "fieldtypes/registry.h"

#include <cstring>
#include <new>

#include "shell/strings.h"
#include "shell/ui_strings.h"

FieldTypeRegistry* fieldTypeRegistry = nullptr;

void ensureRegistry() {
    if (fieldTypeRegistry) return;
    fieldTypeRegistry = new (std::nothrow) FieldTypeRegistry;
    if (fieldTypeRegistry) std::memset(fieldTypeRegistry, 0, sizeof *fieldTypeRegistry);
}

namespace {

struct Bisection {
    int32_t lo;
    int32_t hi;
    int32_t count;
    FieldType** entries;
};

// Empty buckets (no array or no entries) give count 0 and no entries.
Bisection bisect(FieldCode code) {
    unsigned bucket = code >> 24;
    Bisection b{0, 0, 0, nullptr};
    if (!fieldTypeRegistry || !fieldTypeRegistry->arrays[bucket] || fieldTypeRegistry->counts[bucket] == 0)
        return b;
    b.entries = fieldTypeRegistry->arrays[bucket];
    b.count = fieldTypeRegistry->counts[bucket];
    b.hi = b.count;
    while (b.hi - b.lo > 1) {
        int32_t mid = (b.lo + b.hi) / 2;
        if (b.entries[mid]->code < code) {
            b.lo = mid;
        } else {
            b.hi = mid;
        }
    }
    return b;
}

// The first index whose code is not below the given one; -1 for an empty bucket.
int32_t insertionPosition(const Bisection& b, FieldCode code) {
    if (!b.entries) return -1;
    if (b.entries[b.lo]->code < code) return b.hi;
    if (b.hi < b.count && b.entries[b.hi]->code == code) return b.hi;
    return b.lo;
}

}  // namespace

FieldType* findFieldType(FieldCode code) {
    Bisection b = bisect(code);
    if (!b.entries) return nullptr;
    if (b.hi < b.count && b.entries[b.hi]->code == code) return b.entries[b.hi];
    if (b.entries[b.lo]->code == code) return b.entries[b.lo];
    return nullptr;
}

static bool makeRoom(unsigned bucket) {
    int32_t& count = fieldTypeRegistry->counts[bucket];
    int32_t& capacity = fieldTypeRegistry->capacities[bucket];
    FieldType**& array = fieldTypeRegistry->arrays[bucket];
    if (count < capacity) return true;
    FieldType** grown = new (std::nothrow) FieldType*[count + kRegistryBucketStep];
    if (!grown) return false;
    if (count > 0) std::memcpy(grown, array, sizeof(FieldType*) * count);
    delete[] array;
    array = grown;
    capacity = count + kRegistryBucketStep;
    return true;
}

FieldType* registerFieldType(FieldCode code, const char* name, uint32_t flags, const FieldTypeProcs* procs) {
    ensureRegistry();
    if (!fieldTypeRegistry || !procs) return nullptr;
    Bisection b = bisect(code);
    int32_t position = insertionPosition(b, code);
    if (position >= 0 && position < b.count && b.entries[position]->code == code) return nullptr;
    unsigned bucket = code >> 24;
    if (!makeRoom(bucket)) return nullptr;
    FieldType* entry = new (std::nothrow) FieldType;
    if (!entry) return nullptr;
    entry->code = code;
    entry->flags = flags;
    entry->name = DupString(name);
    entry->procs = *procs;
    if (position < 0) position = 0;
    FieldType** array = fieldTypeRegistry->arrays[bucket];
    int32_t& count = fieldTypeRegistry->counts[bucket];
    for (int32_t i = count; i > position; --i) array[i] = array[i - 1];
    array[position] = entry;
    ++count;
    return entry;
}

void destroyRegistry() {
    if (!fieldTypeRegistry) return;
    for (int bucket = 0; bucket < 256; ++bucket) {
        FieldType** array = fieldTypeRegistry->arrays[bucket];
        if (!array) continue;
        for (int32_t i = fieldTypeRegistry->counts[bucket] - 1; i >= 0; --i) {
            delete[] array[i]->name;
            delete array[i];
        }
        delete[] array;
        fieldTypeRegistry->arrays[bucket] = nullptr;
        fieldTypeRegistry->counts[bucket] = 0;
        fieldTypeRegistry->capacities[bucket] = 0;
    }
    delete fieldTypeRegistry;
    fieldTypeRegistry = nullptr;
}

void registerFieldTypes(const FieldTypeRegistration* records, int count) {
    ensureRegistry();
    for (int i = 0; i < count; ++i) {
        registerFieldType(records[i].code, UIStrings[records[i].nameIndex], records[i].flags,
                          records[i].procs);
    }
}
