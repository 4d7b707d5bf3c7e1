#pragma once
// The bytes a document would save now, a window of them at a time, for showing them: rows are
// written one by one from a row whose offset is known until the window is full, and rest rows read
// only the part of their source that falls in it, so the cost follows the window, not the document.
#include <cstdint>

#include "document/document.h"

// Marks a byte that could not be had: its rest row's source changed or its field type failed.
constexpr uint8_t kByteUnknown = 0x80;

struct ByteWindow {
    int64_t from;          // the offset of the first byte
    int32_t count;         // of bytes wanted
    unsigned char* bytes;  // count of them
    uint8_t* marks;        // count of them: the kInstanceSelected and kInstanceCurrent flags of the
                           // byte's row, or kByteUnknown
};

// Fills the window from row, whose bytes start at rowOffset, at or before window.from. The bytes
// filled, fewer than count past the end of the document.
int32_t readDocumentBytes(FieldInstance* row, int64_t rowOffset, const ByteWindow& window);
// The same for a document whose rows stand at offsets of their own: each stretch of rows that
// reaches into the window fills its part, and bytes no row stands over are zeros.
int32_t readPlacedBytes(Document* document, const ByteWindow& window);
