#pragma once
// Writing a document whose rows stand at offsets of their own: the file is put together from the
// stretches of rows that follow one another, in the order of their places.
#include <cstdint>

#include "document/document.h"

class TIOStream;

// The bytes written (the file's size), or the first negative result; winner as for writeInstances.
int64_t writeByPlace(Document* document, TIOStream* stream, FieldInstance* winner);
