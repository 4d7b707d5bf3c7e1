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
// Takes the instances from first to last (in display order) off the list and frees their values.
void removeInstances(Document* document, FieldInstance* first, FieldInstance* last);
// Takes them off the list but keeps them, linked among themselves, to put back later; how many.
int64_t unlinkInstances(Document* document, FieldInstance* first, FieldInstance* last);
// Puts instances taken off back after predecessor (null: at the start).
void linkInstances(Document* document, FieldInstance* predecessor, FieldInstance* first, FieldInstance* last,
                   int64_t count);
// Takes them off the list and gives their slots and numbers back for new instances to take: for
// rows no change has seen, as items bound only to be shown.
void releaseInstances(Document* document, FieldInstance* first, FieldInstance* last);
// Frees the values of instances taken off for good.
void destroyValues(FieldInstance* first, FieldInstance* last);
// A number owned by the document; null without memory.
int64_t* newNumber(Document* document, int64_t number);

#include "document/row_kind.h"

constexpr int32_t kNoKeyYet = -2;

// What the engine knows of a template row: its kind, the row it pairs with (-1 for none), the opening
// row of the innermost section that holds it (-1 at the top), and for KEYB rows the key row (-1 for
// none).
struct RowInfo {
    RowKind kind;
    int32_t partner;
    int32_t section;
    int32_t key;
};

// The row of a field of the document's template; -1 when it is none of them (or no memory).
int32_t rowOf(Document* document, const TemplateField* field);
// Each row of the document's template; null without memory.
const RowInfo* rowInfos(Document* document);

// The bytes an instance stands for in the file: a number's width, a value's size, 0 for list rows.
int64_t instanceSize(FieldInstance* instance);
