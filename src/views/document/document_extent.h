#pragma once
// One walk over a whole document for everything the view keeps about all of it: its height, its
// rows and bytes, and where one row lies. Laying the rows out again after a change that may have
// moved rows anywhere then costs a single walk.
#include <cstdint>

#include "document/document.h"
#include "views/document/row_track.h"

struct DocumentExtent {
    int64_t height = 0;
    int64_t rows = 0;  // the rows folds stand for counted
    int64_t bytes = 0;
    // The row looked for, else the last row whose top lies at or above pixel y (the first row when
    // none does), with the offset of its bytes; no row when the document is empty. A fold is no row:
    // when y lies in one, RowTrack::at binds the row there, walking from this one.
    RowSpot found{};
    int64_t foundOffset = 0;
};

// Looks for `wanted`, and for the row at pixel y in case wanted is no longer there.
DocumentExtent measureDocument(const Document* document, const FieldInstance* wanted, int64_t y);
