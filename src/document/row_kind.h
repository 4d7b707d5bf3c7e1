#pragma once
// What a template row means to the document engine, from its code: a data field, a count or size
// with the width of its number, a list row, a key field, or a row that binds nothing.
#include <cstdint>

enum class RowRole : uint8_t {
    Data,         // a field type reads and writes it
    Skip,         // CASE, KEYB, KEYE: no instance, no bytes
    Count,        // xCNT, xZCT: a number that counted lists take
    Size,         // xSIZ, xSKP: a number that size-bounded lists take
    CountedList,  // LSTC
    SizedList,    // LSTB, LSTS, LSTZ
    ListEnd,      // LSTE
    Key,          // KBYT and the other key fields
};

struct RowKind {
    RowRole role;
    uint8_t width;   // bytes of the number of counts, sizes and keys
    bool bigEndian;  // upper-case code
    bool zeroBased;  // the list has one item more than the count says
};

// Control codes count in upper or in lower case, never mixed.
RowKind rowKindOf(const char code[4]);

// The number of a count, size or key as the binder reads it: one byte unsigned, two and four bytes
// sign-extended, eight bytes as they are.
int64_t numberFromBytes(const unsigned char* bytes, const RowKind& kind);

// The largest number a count of this kind holds that reads back unchanged.
int64_t largestCount(const RowKind& kind);
