#pragma once
// Size numbers that follow what they bound: after a change, every closed size section, list bounded
// by a size and case bounded by a size gets the number of bytes its rows take now, so the saved file
// reads back the same. The sections are the ones binding recorded, never guessed from depths.
#include <cstdint>

#include "document/document.h"

// False, with no number changed, when a size would not fit its width, when bytes would follow a list
// that runs to the end of its data (reading the file again, the list would take them), or without
// memory.
// The size that could not follow goes to *failed when given (null for a list's bytes or memory).
bool updateSizes(Document* document, FieldInstance** failed = nullptr);

// A section that binding stopped inside: its size (the number of opener, or of the size it took)
// keeps bytesAfter, the bytes of the file after where the number says the section ends, so that it
// grows and shrinks with the bytes that change inside. False without memory.
bool noteUnclosed(Document* document, FieldInstance* opener, FieldInstance* size, int64_t bytesAfter);
void destroyUnclosed(Document* document);
