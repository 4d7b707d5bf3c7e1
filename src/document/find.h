#pragma once
// Finding in a bound document: text in the rows' captions and values as the rows show them, a number
// that a row's value equals, or bytes in what the document would save. The search starts next to a
// place, goes forward or backward, and wraps round once past the end, saying so.
#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"

enum class FindKind { Text, Number, Bytes };

struct FindQuery {
    FindKind kind = FindKind::Text;
    std::string text;                  // Text: as typed, ASCII letters in lower case
    int64_t number = 0;                // Number
    std::vector<unsigned char> bytes;  // Bytes; Text's own bytes too, for finding it in the bytes
};

// False with the reason when the text spells nothing of the kind (no text, no number, no hex bytes).
bool makeFindQuery(FindKind kind, const char* text, FindQuery* query, const char** reason);

struct RowFound {
    FieldInstance* instance;  // null when no row matches
    bool wrapped;             // the search went past the last (or first) row to find it
};
// The first row after `from` (before it, backward) that shows the text, ignoring the case of ASCII
// letters, or holds the number; without from, from the start (end). Text and Number queries only.
RowFound findRow(Document* document, const FindQuery& query, FieldInstance* from, bool forward);

struct BytesFound {
    int64_t offset;  // where the bytes begin; -1 when they are nowhere
    bool wrapped;
};
// The first place at or after `from` (the last at or before it, backward) where the query's bytes
// stand among the document's `total` bytes.
BytesFound findBytes(Document* document, const FindQuery& query, int64_t total, int64_t from, bool forward);
