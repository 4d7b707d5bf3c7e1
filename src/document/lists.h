#pragma once
// The lists of a bound document as the changes see them: a list's first header, its count, its
// items, and the instances that make up one item.
#include <cstdint>

#include "document/document.h"
#include "document/row_kind.h"

inline int64_t& numberOf(FieldInstance* instance) {
    return *static_cast<int64_t*>(instance->value);
}

inline bool isHeaderOf(const FieldInstance* instance, const FieldInstance* firstHeader) {
    return instance->field == firstHeader->field && instance->parent == firstHeader->parent;
}

// The instances of a list at its own level are its headers and its end row; everything of its items
// hangs below a header (a row after KEYE in an item stands at the list's depth all the same). The
// first row of the list's level that is no header of it, or any row above the level, ends the walk.
template <typename Step, typename Visit>
void forEachHeader(FieldInstance* from, const FieldInstance* firstHeader, Step step, Visit visit) {
    for (FieldInstance* at = from; at && at->depth >= firstHeader->depth; at = step(at)) {
        if (at->parent != firstHeader->parent) continue;
        if (!isHeaderOf(at, firstHeader) || !visit(at)) break;
    }
}

inline FieldInstance* forward(FieldInstance* at) {
    return at->next;
}

inline FieldInstance* backward(FieldInstance* at) {
    return at->previous;
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

// The last instance of the item under a header: the header itself for an item without rows.
FieldInstance* itemEnd(FieldInstance* header);

// Hands the rows of the item that starts at from over to another header.
void passItem(FieldInstance* from, const FieldInstance* firstHeader, const FieldInstance* oldHeader,
              FieldInstance* newHeader);

// Numbers the headers after an instance in order again, going on from the header at or before it,
// whose number stands, so a change costs the rest of the list only; the number of headers.
int64_t renumberHeadersAfter(FieldInstance* predecessor, const FieldInstance* firstHeader);
