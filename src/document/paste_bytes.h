#pragma once
// Bytes pasted over a document's: each row that holds some of them takes its new bytes through its
// field type, as an edit of its value, and the edits are one change for Undo. Only rows whose value
// is plain data can take bytes: counts, sizes and keys would change which rows there are, and the
// rest of a file is no row's value.
#include <cstdint>

#include "document/document.h"

// Overwrites count bytes from offset. False, with the document's refusal saying why, when a row
// cannot take its bytes or would not read them back as they are, or no row holds one of them; then
// nothing changes.
bool pasteBytes(Document* document, int64_t offset, const unsigned char* bytes, int64_t count);
