#pragma once
// An item that goes into a list or out of it, as one change that can be made and taken back: the
// item's instances stay whole while out, so putting them back restores them exactly.
#include <cstdint>

#include "document/document.h"

struct ItemChange {
    FieldInstance* firstHeader;
    FieldInstance* count;        // counted lists only
    FieldInstance* predecessor;  // the instances follow it while in the list
    FieldInstance* first;        // null when the item has no instances of its own
    FieldInstance* last;
    // The header among the instances that the item after them takes while they are in; or null.
    FieldInstance* passedHeader;
    int64_t instances;
    int64_t countOut;  // the count without the item
    int64_t countIn;   // and with it
    // Where the first header's item ends with the item in and out, for a change at the first place.
    FieldInstance* firstEndIn;
    FieldInstance* firstEndOut;
};

// Headers are numbered again and the count follows; sizes are the caller's.
void takeItemOut(Document* document, ItemChange& change);
void putItemIn(Document* document, const ItemChange& change);
