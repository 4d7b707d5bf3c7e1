#pragma once
// Rows that expressions compute follow the bytes of other rows, so a change to those bytes can lay
// the file out anew. Before such a change stands, the bytes the document would save are read back
// through its template and must give the rows it shows; the numbers of derived rows follow.
#include "document/document.h"

// True when the template computes nothing, or when the saved bytes bind to the same rows with the
// same sizes and numbers, but for derived rows, which then take the numbers read. False, changing
// nothing, when they do not or memory runs out.
// A key's edit is read back whatever the template: the rows after a key depend on it.
bool settleLayout(Document* document, bool always = false);

constexpr const char* kLayoutRefusal = "Rows that the template computes would read back differently after this change.";
