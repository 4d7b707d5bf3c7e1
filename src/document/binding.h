#pragma once
// Binding a file to a template: the template's rows read one after the other from the start of
// the file, counted lists expanded item by item.
#include <cstddef>
#include <cstdint>

#include "document/document.h"

// Reads the document's path from its first byte. A file that cannot be opened binds like a new
// document. 0, or a negative result as bind gives.
int64_t bindFile(Document* document);
// Binds without a file: every value keeps its initial value.
int64_t bindNew(Document* document);

// Binds the rows of one nesting level from rowIndex on, nested lists included, appending the
// instances to the document; stream may be null. 0 when the level reached the end of the template
// or the end of its list item; otherwise a negative result, the document's stopReason says why,
// and rowIndex holds the row that failed. Nesting depth costs no stack. chosenCase, a CASE row,
// is chosen in its key section whatever the key, and the key row takes the case's first value.
int64_t bind(Document* document, TIOStream* stream, int32_t& rowIndex, FieldInstance* parent,
             int32_t chosenCase = -1);

// A short sentence for the user on why the last binding stopped early; null when it did not.
const char* bindStopReason(const Document* document);
// The same with the place: the template row (counted from 0, as the template editor and the
// invalid-template message count), its caption and the offset where it began. Empty when binding did
// not stop.
void describeBindStop(const Document* document, char* text, size_t size);
