#pragma once
// Memory for the value records of the built-in field types and for short string bytes. A document
// holds millions of them, and a block of the memory tracker for each would cost more than the
// value itself; so they share large tracked blocks, which go back when the last value goes.
// Under AddressSanitizer each value is a tracked block of its own.
#include <cstddef>
#include <new>
#include <type_traits>

// Null without memory.
void* allocateValue(size_t bytes);
// bytes as given to allocateValue.
void releaseValue(void* block, size_t bytes);

// A value record of plain data in that memory; null without memory.
template <typename Record>
Record* newValue(const Record& initial) {
    static_assert(std::is_trivially_destructible<Record>::value, "value records are plain data");
    void* memory = allocateValue(sizeof(Record));
    return memory ? new (memory) Record(initial) : nullptr;
}

template <typename Record>
void deleteValue(Record* record) {
    releaseValue(record, sizeof(Record));
}
