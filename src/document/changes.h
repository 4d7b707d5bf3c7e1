#pragma once
// Changing a bound document: a value edited through its field type, an item inserted into a list
// or deleted from it. Each marks the document unsaved and can be undone (history.h).
#include <string>

#include "document/document.h"

// Why the last change that was refused was refused, a sentence for the user; null when the last
// change was not refused (or the field type only declined it).
const char* changeRefusal(const Document* document);

// True when the field type changed the value; a bit row changes the bits of its integer.
bool editInstance(Document* document, FieldInstance* instance);

// Asks for an instance's new value and stores it; nonzero when it changed.
using AskProc = int (*)(FieldInstance* instance, const void* context);
// Changes the instance's value through ask as an edit does: sizes follow, and a change that would not
// read back is refused and undone; it can be undone. True when the value changed.
bool changeValue(Document* document, FieldInstance* instance, AskProc ask, const void* context);
// The bit row's range of its integer, asked for as a number (bit_rows.cpp).
bool editBits(Document* document, FieldInstance* bits);

// Inserts an item, bound without a file, into the counted list of a list header or end instance.
// At the first header, or in an empty list, the new item comes first; elsewhere it comes before
// the instance. Every item keeps a header of its own, the headers are numbered in order again and
// the list's count is set to the number of items, so the saved file reads back the same. Nothing
// happens (false) for any other instance, or when the count cannot hold one item more. caseName,
// when given, names a CASE of the item's key section (its label or one of its values): the new item
// takes that case, its key the case's first value.
bool insertItem(Document* document, FieldInstance* instance, const char* caseName = nullptr);

// The labels of the cases an item of the instance's list can take, separated by ", "; empty when its
// items have no key section (or the instance is on no list).
std::string itemCases(Document* document, FieldInstance* instance);

// Deletes the item of a list header from its list: the item's instances go, the headers are
// numbered again and the count and every size that holds the item follow. Deleting the first item
// passes its header to the next one. Nothing happens (false) for any other instance, when the list
// is empty, when the count cannot say how many items are left, or when the list's end was never
// bound or it is ended by an item of zeros and that item would go.
bool deleteItem(Document* document, FieldInstance* header);
