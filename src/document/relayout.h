#pragma once
// An edit to a value that other rows depend on (a key, a count, a flag) lays the file out anew: the
// document takes a fresh binding of the bytes it would save, and keeps the binding it had for Undo.
#include "document/document.h"

// The document's rows become those its bytes bind to now; what it had goes to the returned document,
// which only holds it. Null, changing nothing, without memory, when the bytes do not bind whole, when
// the edited row does not read back where it stands with its size, or when a check that was right
// would read wrong.
Document* layOutAnew(Document* document, FieldInstance* edited);

// Exchanges the rows, the template clone and what binding found between two documents of one
// template, counting the change in the first's layouts.
void swapBinding(Document* document, Document* other);
