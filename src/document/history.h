#pragma once
// Undo and Redo: each change of a document (a value edited, an item inserted or deleted) is kept,
// to any depth, so it can be taken back and made again. Undone or redone back to the state it was
// last saved in, the document counts as saved again; saving keeps the history.
#include "document/document.h"
#include "document/item_change.h"
#include "document/place_shift.h"

// Room for one change more, made before the change so that recording it cannot fail.
bool reserveChange(Document* document);
// A change just made, after reserveChange; the changes that were undone are dropped. The history
// owns before, the value the instance had, and the places the change moved (null for none).
void recordEdit(Document* document, FieldInstance* instance, void* before, PlaceMoves* moves);
// While the item is out, the history keeps its instances.
void recordItemChange(Document* document, const ItemChange& change, bool inserted, PlaceMoves* moves);
// An edit that laid the file out anew; the history owns before, which holds the binding the document
// had.
void recordLayout(Document* document, Document* before);

// The changes recorded from now until endJoinedChanges are undone and redone as one. False without
// memory.
bool joinChanges(Document* document);
void endJoinedChanges(Document* document);

bool canUndo(const Document* document);
bool canRedo(const Document* document);
// False when there is nothing to undo or redo.
bool undoChange(Document* document);
bool redoChange(Document* document);

// Before a save replaces the file the document was read from: the rows that undo or redo may bring
// back take the bytes they would copy from it. False when they cannot.
bool holdBytesOfChanges(Document* document);

void destroyHistory(Document* document);
