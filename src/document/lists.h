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
    char kind;    // of its opener: 'C', 'S', 'Z', 'B' or 'U'
    FieldInstance* firstHeader;
    // The row whose number counts the items: a count, or the row a computed count names (plus a
    // number); null for other lists.
    FieldInstance* count;
    int64_t countAdded;  // the items are the count's number and this: 1 for a zero-based count
    int64_t items;
};

// The number a count holds, and storing one; false when it does not fit the count's row.
int64_t countNumber(const FieldInstance* count);
bool setCountNumber(FieldInstance* count, int64_t number);
// Whether the count can hold the number, changing nothing.
bool countFits(FieldInstance* count, int64_t number);

// False for an instance on no list's row.
bool findList(Document* document, FieldInstance* instance, ListOf& list);

// Hands the rows from first to last (of one item) over from one header to another.
void passItem(FieldInstance* first, FieldInstance* last, const FieldInstance* oldHeader,
              FieldInstance* newHeader);

// Numbers the list's headers in order again; the number of headers.
int64_t renumberHeaders(FieldInstance* firstHeader);
