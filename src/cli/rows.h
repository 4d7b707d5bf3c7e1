#pragma once
// The rows of a bound document as the document view shows them: one per instance in display order,
// with the file offset and size each one covers.
#include <cstdint>
#include <functional>
#include <string>

struct Document;

enum class RowShape { Data, Divider, Count, Size, Computed, Offset, Control, ListHeader, ListEnd, Rest, Key, Case };

struct Row {
    int64_t offset;
    int64_t size;
    int32_t depth;
    std::string code;  // four characters, zero bytes as they stand
    std::string caption;
    // The text the view draws after the caption, a key name's bytes as they stand; "[N]" for a list
    // header, "[end]" for an end row.
    std::string value;
    RowShape kind;
    int64_t itemIndex;  // list headers only; -1 elsewhere
    // A byte array's bytes, which the view shows only the start of; null for other rows.
    const unsigned char* bytes = nullptr;
    uint64_t byteCount = 0;
};

// Hands each row to the visitor in display order; the row is only valid during the call.
void visitRows(Document* document, const std::function<void(const Row&)>& visit);
