#pragma once
// One walk over a whole document for everything the view keeps about all of it: its height, its
// bytes and where one row lies. Laying the rows out again after a change that may have moved rows
// anywhere then costs a single walk.
#include <cstdint>

#include "document/document.h"
#include "views/document/row_track.h"

struct DocumentExtent {
    int64_t height = 0;
    int64_t bytes = 0;
    RowSpot found{};  // the row looked for, else the row holding the pixel given; no row when empty
    int64_t foundOffset = 0;
};

// Looks for `wanted`, and for the row holding pixel y in case wanted is no longer there.
DocumentExtent measureDocument(const Document* document, const FieldInstance* wanted, int64_t y);
