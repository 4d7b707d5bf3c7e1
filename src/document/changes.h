#pragma once
// Changing a bound document: a value edited through its field type, or a new item in a counted
// list. Both mark the document unsaved.
#include "document/document.h"

// True when the field type changed the value.
bool editInstance(Document* document, FieldInstance* instance);

// Inserts an item, bound without a file, into the counted list of a list header or end instance.
// At the first header, or in an empty list, the new item comes first; elsewhere it comes before
// the instance. Every item keeps a header of its own, the headers are numbered in order again and
// the list's count is set to the number of items, so the saved file reads back the same. Nothing
// happens (false) for any other instance, or when the count cannot hold one item more.
bool insertItem(Document* document, FieldInstance* instance);
