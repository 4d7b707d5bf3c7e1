#pragma once
// The rows of a bound document as the document view shows them: one per instance in display order,
// with the file offset and size each one covers.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/recording_surface.h"

struct Document;
struct FieldInstance;

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

// Reads rows one at a time through one drawing surface, so that reading many costs no memory per row.
class RowReader {
  public:
    // The instance's row, its bytes beginning at offset; row's strings keep their room from row to row.
    void read(FieldInstance* instance, int64_t offset, Row& row);

  private:
    platform::RecordingSurface surface_;
};

// The heading of the text lines, and a row as a text line: its number, offset, size, then caption and
// value indented by depth; the line ends with a newline.
extern const char* const kRowTextHeading;
std::string rowTextLine(const Row& row, size_t number);

// The selected rows as text lines, numbered as among all rows; without a heading.
std::string selectedRowsText(Document* document);

// Hands each row to the visitor in display order; the row is only valid during the call. Folded rows
// are bound on the way and dropped again, so that memory stays what the document holds.
void visitRows(Document* document, const std::function<void(const Row&)>& visit);
// The same from the row `from` (counted from 0) on, until visit gives false. False when folded rows
// could not be read, as when their file changed.
bool visitRowsFrom(Document* document, int64_t from, const std::function<bool(const Row&)>& visit);
