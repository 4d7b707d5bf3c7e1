#pragma once
// A list ended by an item of zeros reads back the same only while each of its items stays as it was:
// all zero bytes (the last) or not. Changes inside such items are checked against this.
#include <cstdint>

#include "document/document.h"

// One bit for each item of a list ended by zeros that holds the instance, innermost first (up to
// 64): set when the item's bytes are all zero.
uint64_t zeroItemsAround(FieldInstance* instance);

// Whether every byte of the item under a list header is zero.
bool itemIsZero(FieldInstance* header);
