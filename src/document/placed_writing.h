#pragma once
// Writing a document whose rows stand at offsets of their own: the file is put together from the
// stretches of rows that follow one another, in the order of their places.
#include <cstdint>

#include "document/document.h"

class TIOStream;

// The bytes written (the file's size), or the first negative result; winner as for writeInstances.
int64_t writeByPlace(Document* document, TIOStream* stream, FieldInstance* winner);

// Whether every stretch of rows, written on its own, gives the bytes the image (what writeByPlace
// wrote) has at its place: false when rows over the same bytes show different values, or without
// memory.
bool stretchesAgree(Document* document, TIOStream* image);
