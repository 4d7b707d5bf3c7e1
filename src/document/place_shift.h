#pragma once
// Rows at offsets keep their place as an insertion or deletion moves the bytes after it: every
// region whose bytes move, and every rest of bytes between regions, moves with them, and the row an
// offset's expression names takes its new number.
#include "document/document.h"

// Moves the places after the item first..last, which is in the document: by its bytes after an
// insertion, back by them before a deletion. Null when they moved, or had no need to; otherwise why
// the change cannot stand, with nothing moved.
const char* movePlaces(Document* document, FieldInstance* first, FieldInstance* last, bool inserted);

// Whether other rows stand over some of the instance's bytes, so that an edit of it shows in them.
bool sharesBytes(const Document* document, const FieldInstance* instance);
