#pragma once
// Size numbers that follow what they bound: after a change, every closed size section, list bounded
// by a size and case bounded by a size gets the number of bytes its rows take now, so the saved file
// reads back the same. Spans that a binding stopped inside are left as they were.
#include "document/document.h"

// False, with no number changed, when a size would not fit its width (or without memory).
bool updateSizes(Document* document);
