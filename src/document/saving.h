#pragma once
// Saving a document: the file is written anew from its instances, in display order.
#include <cstdint>

#include "document/document.h"

// Whether path is the file the document was read from and that file is no longer as it was read
// (written or removed by another program since): saving over it would lose that program's work.
bool changedOnDisk(const Document* document, const char* path);

// Writes the document beside the path and puts it in place of the file there only when every byte
// was written, so a failed save leaves the old file as it was. The bytes written, or
// kResultNoMemory, kResultCannotOpen, kResultWriteFailed, kResultSourceChanged (the file rest rows
// copy from is not as it was), kResultChangedOnDisk (see changedOnDisk; only unless overwriteChanged)
// or a field type's negative result; on success the document is marked saved.
int64_t saveDocument(Document* document, const char* path, bool overwriteChanged = false);

// Why a save failed, a sentence for the user.
const char* saveFailureReason(int64_t result);

// One row's bytes at offset total: counts and sizes as numbers in the byte order of their code, data
// fields through their field type, list rows as nothing. The bytes written, or a negative result.
int64_t writeInstance(FieldInstance* instance, TIOStream* stream, int64_t total);
// Every row's at its place: in display order, or, where rows stand at offsets, each stretch of rows
// at its place in the file, where bytes two stretches share are written once. winner, when given, is
// written again last, so that its bytes stand where stretches share them (the stream must seek).
// The bytes written, or the first negative result.
int64_t writeInstances(Document* document, TIOStream* stream, FieldInstance* winner = nullptr);
