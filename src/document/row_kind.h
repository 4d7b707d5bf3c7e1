#pragma once
// What a template row means to the document engine, from its code: a data field, a count or size
// with the width of its number, a list row, a key field, or a row that shapes key sections.
#include <cstdint>

enum class RowRole : uint8_t {
    Data,         // a field type reads and writes it
    Count,        // xCNT, xZCT: a number that counted lists take
    Size,         // xSIZ, xSKP: bounds the rows of its section, or waits for a list or case
    Length,       // xLEN: a size that opens no section
    CountedList,  // LSTC
    SizedList,    // LSTB, LSTS, LSTZ
    ListEnd,      // LSTE
    SectionEnd,   // SKPE
    KeyEnd,       // KEYE
    KeySection,   // KEYB
    Case,         // CASE
    Key,          // KBYT and the other key fields, data fields whose value chooses a case
    Derived,      // CALC: a number computed from rows before it; BITS: bits of the integer before it
    Condition,    // WHEN: its rows are bound only when its expression holds
    ByteOrder,    // ORDR: its rows read and write numbers little-endian when its expression holds
    Structure,    // INCL: the rows of another template of the library, put after it in a document
    Placed,       // ATOF: its rows are read at the offset its expression gives, then binding goes on where it was
    FileKind,     // LEAD, EXTN: which files the template is for, to choose it; they bind nothing
};

struct RowKind {
    RowRole role;
    uint8_t width;   // bytes of the number of counts, sizes and keys
    char list;       // 'C', 'B', 'S', 'Z' or 'U' (until a condition holds) for list openers
    bool bigEndian;  // upper-case code
    bool zeroBased;  // the list has one item more than the count says
    bool computed;   // the number comes from the expression in the caption, not from the file
    bool bounded;    // a data row whose first parameter is its length (BYTS, TEXT, CHKO ...)
    bool check;      // a check field, whose last parameter is what its number should be
};

// Control codes count in upper or in lower case, never mixed.
RowKind rowKindOf(const char code[4]);

// The number of a count, size or key as the binder reads it: one byte unsigned, two and four bytes
// sign-extended, eight bytes as they are.
int64_t numberFromBytes(const unsigned char* bytes, const RowKind& kind);

// The largest number a count of this kind holds that reads back unchanged.
int64_t largestCount(const RowKind& kind);

struct FieldInstance;
// Whether the instance reads and writes numbers big-endian: as its code's case says, unless a byte
// order section chose for it.
bool readsBigEndian(const FieldInstance* instance);

// Counts, sizes and lengths: numbers the engine itself reads and writes.
// Derived numbers are shown like them but have no bytes.
inline bool isNumberRole(RowRole role) {
    return role == RowRole::Count || role == RowRole::Size || role == RowRole::Length || role == RowRole::Derived ||
           role == RowRole::Placed;
}
