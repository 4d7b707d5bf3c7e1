#pragma once
// The registry of field types: 256 buckets by the code's fourth character, each sorted by code.
#include <cstdint>

#include "fieldtypes/field_type.h"

struct FieldTypeRegistry {
    int32_t counts[256];
    int32_t capacities[256];
    FieldType** arrays[256];
};

constexpr int32_t kRegistryBucketStep = 128;

// Null until the first ensureRegistry and after destroyRegistry.
extern FieldTypeRegistry* fieldTypeRegistry;

void ensureRegistry();
// Null when the code is registered already (the first registration wins) or memory ran out.
FieldType* registerFieldType(FieldCode code, const char* name, uint32_t flags, const FieldTypeProcs* procs);
FieldType* findFieldType(FieldCode code);
void destroyRegistry();

// Registers each record with its display name from the UI string table.
void registerFieldTypes(const FieldTypeRegistration* records, int count);
