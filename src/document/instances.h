#pragma once
// Making instances and the numbers of counts, sizes and list headers; shared by binding and
// changing a document.
#include <cstdint>

#include "document/document.h"

// Appends a new instance after the document's last one. Null when the document is full
// (*failure = kResultInstanceLimit) or memory ran out (*failure = kResultNoMemory).
FieldInstance* appendInstance(Document* document, TemplateField* field, FieldInstance* parent,
                              FieldInstance* partner, FieldInstance* listSource, int64_t* failure);
// Takes the document's last instance off the list again.
void dropLastInstance(Document* document);
// A number owned by the document; null without memory.
int64_t* newNumber(Document* document, int64_t number);

struct RowKind;

// The row of a field of the document's template; -1 when it is none of them (or no memory).
int32_t rowOf(Document* document, const TemplateField* field);
// The kind of each row of the document's template; null without memory.
const RowKind* rowKinds(Document* document);
