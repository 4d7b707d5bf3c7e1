#pragma once
// Printing document rows: aligned text lines, or JSON objects for other tools.
#include <cstdio>

#include <cstdint>

struct Document;

// Rows as dump numbers them, from 1; last 0 for the last row.
struct RowRange {
    int64_t first = 1;
    int64_t last = 0;
};

// False when rows folded while binding could not be read again: the file changed since.
bool printRowsAsText(Document* document, const RowRange& range, std::FILE* out);
bool printRowsAsJson(Document* document, const RowRange& range, std::FILE* out);
