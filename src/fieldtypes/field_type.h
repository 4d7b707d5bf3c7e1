#pragma once
// What a field type is: a handler table of twelve procedure slots registered under a
// four-character code. The slot order is binding; field types find the host only through it.
#include <cstdint>

#include "platform/types.h"

struct FieldInstance;
class TIOStream;

// Four characters, the first as written in the least significant byte: DWRD is 0x44525744.
using FieldCode = uint32_t;

constexpr FieldCode makeFieldCode(const char (&text)[5]) {
    return static_cast<uint32_t>(static_cast<unsigned char>(text[0])) |
           static_cast<uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(text[2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(text[3])) << 24;
}

inline FieldCode fieldCodeOf(const char code[4]) {
    return static_cast<uint32_t>(static_cast<unsigned char>(code[0])) |
           static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(code[3])) << 24;
}

// Big-endian data: the four characters sort below "a000" (for registered codes: an upper-case first
// letter). With the first character as the most significant byte, that is a comparison of numbers.
inline bool isUpperCaseCode(FieldCode code) {
    uint32_t inWrittenOrder = (code & 0xFF) << 24 | (code & 0xFF00) << 8 | (code >> 8 & 0xFF00) | code >> 24;
    return inWrittenOrder < 0x61303030u;
}

struct PaintContext {
    platform::Dc dc;
    platform::Rect client;
    int32_t hasFocus;
};

struct RowLayout {
    const char* caption;
    platform::Rect row;
    bool hasCases;
    int32_t indent;
    uint32_t flags;
};

using CreateValueProc = void* (*)(FieldInstance* instance);
using DestroyValueProc = void (*)(FieldInstance* instance, void* value);
using CloneValueProc = void* (*)(FieldInstance* instance, void* value);
using DrawValueProc = void (*)(FieldInstance* instance, void* value, PaintContext* paint, RowLayout* row);
using ReadValueProc = int64_t (*)(FieldInstance* instance, void* value, TIOStream* stream, int64_t position);
using WriteValueProc = int64_t (*)(FieldInstance* instance, void* value, TIOStream* stream, int64_t total);
using ValueSizeProc = int64_t (*)(FieldInstance* instance, void* value, int64_t argument);
using EditValueProc = int (*)(FieldInstance* instance, void* value, int32_t* result1, int32_t* result2);
using SetValueFromTextProc = int (*)(FieldInstance* instance, void* value, const char* text);

constexpr intptr_t kFieldTypeProcsLength = 13;

// Thirteen words: the length, then slots 1 to 12.
struct FieldTypeProcs {
    intptr_t length;
    CreateValueProc createValue;
    DestroyValueProc destroyValue;
    CloneValueProc cloneValue;
    DrawValueProc drawValue;
    ReadValueProc readValue;
    WriteValueProc writeValue;
    ValueSizeProc valueSize;
    EditValueProc editValue;
    void* reserved9;
    SetValueFromTextProc setValueFromText;
    void* reserved11;
    void* reserved12;
};
static_assert(sizeof(FieldTypeProcs) == 13 * sizeof(void*), "handler table is thirteen words");

struct FieldTypeRegistration {
    FieldCode code;
    int32_t nameIndex;
    uint32_t flags;
    const FieldTypeProcs* procs;
};

struct FieldType {
    FieldCode code;
    uint32_t flags;
    char* name;
    FieldTypeProcs procs;
};
