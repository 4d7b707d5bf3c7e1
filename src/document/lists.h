#pragma once
// The lists of a bound document as the changes see them: a list's first header, its count, its
// items, and the instances that make up one item, all as binding recorded them.
#include <cstdint>

#include "document/document.h"
#include "document/row_kind.h"

inline int64_t& numberOf(FieldInstance* instance) {
    return *static_cast<int64_t*>(instance->value);
}

// The last instance of the item under a header: the header itself for an item without rows.
inline FieldInstance* itemEnd(FieldInstance* header) {
    return header->extentLast ? header->extentLast : header;
}

// The list an instance belongs to: a counted list, or one bounded by a size or by the end of its data.
struct ListOf {
    int32_t row;  // of its opener
    char kind;    // of its opener: 'C', 'S', 'Z' or 'B'
    FieldInstance* firstHeader;
    FieldInstance* count;  // counted lists only
    RowKind countKind;
    int64_t items;
};

// False for an instance on no list's row.
bool findList(Document* document, FieldInstance* instance, ListOf& list);

// Hands the rows from first to last (of one item) over from one header to another.
void passItem(FieldInstance* first, FieldInstance* last, const FieldInstance* oldHeader,
              FieldInstance* newHeader);

// Numbers the list's headers in order again; the number of headers.
int64_t renumberHeaders(FieldInstance* firstHeader);
