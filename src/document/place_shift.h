#pragma once
// Rows at offsets keep their place as an insertion or deletion moves the bytes after it: every
// region whose bytes move, and every rest of bytes between regions, moves with them, and the row an
// offset's expression names takes its new number.
#include "document/document.h"

// What moving places set, to set it back or again exactly: after bytes come and go at one place,
// the places there no longer tell which of them moved.
struct PlaceMoves;

// Moves the places after the item first..last, which is in the document: by its bytes after an
// insertion, back by them before a deletion. Null when they moved, or had no need to; otherwise why
// the change cannot stand, with nothing moved. *moves receives what moved (null for nothing).
const char* movePlaces(Document* document, FieldInstance* first, FieldInstance* last, bool inserted,
                       PlaceMoves** moves);

// The same for an edited field whose size was sizeBefore: the bytes after it move by what it grew or
// shrank.
const char* resizePlaces(Document* document, FieldInstance* instance, int64_t sizeBefore, PlaceMoves** moves);

// Sets the places and offsets back to what they were before the moves (forward: to what the moves
// made them), as taking back a change or making it again does; nothing for null.
void replayPlaces(const PlaceMoves* moves, bool forward);
void releasePlaces(PlaceMoves* moves);

// Whether other rows stand over some of the instance's bytes, so that an edit of it shows in them.
bool sharesBytes(const Document* document, const FieldInstance* instance);
