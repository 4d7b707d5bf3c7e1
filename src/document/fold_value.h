#pragma once
// A fold's value, and what binding asks of folding, shared by the binder and the folds.
#include <cstdint>

#include "document/document.h"
#include "document/rest.h"

struct FoldPlan;

struct FoldValue {
    RestValue bytes;  // the items' bytes in the source; first, so that rest readers read them
    Document* document;
    TemplateField* listField;
    int32_t listRow;
    FieldInstance* count;  // the list source of the items' headers
    FoldPlan* plan;        // one reference
    int64_t firstItem;     // the number of its first item in its list
    int64_t items;
    int64_t origin;        // its first item's place among the items the plan counted
    int64_t originOffset;  // where that item began in the file binding read
    int32_t rowsPerItem;   // the header and the item's rows
};

struct FoldRequest {
    Document* document;
    int32_t listRow, endRow;
    FieldInstance* parent;  // the headers'
    int32_t depth;
    FieldInstance* count;
    int64_t firstItem;  // the number of the first item to fold
    int64_t items;      // at most this many
    int64_t fewest;     // and none unless at least this many
    TIOStream* stream;  // the file; left after the items folded, or where it was
    int64_t start, end;
    int64_t rowHeight;
};

inline FoldValue& foldValueOf(const FieldInstance* fold) {
    return *static_cast<FoldValue*>(fold->value);
}

// A new fold instance after the document's last, on the value given; null (freeing the value) when
// the document cannot take it.
FieldInstance* appendFold(Document* document, FoldValue* value, FieldInstance* parent, int32_t depth,
                          int64_t rowHeight);
// Moves the instances from first to the document's last after predecessor (null: to the start).
void moveLastAfter(Document* document, FieldInstance* predecessor, FieldInstance* first);

// Folds the items of the request that lie whole before its end, in a fold appended to the document;
// how many, or -1 without memory. Lists whose items' bytes cannot be told without binding them fold
// nothing.
int64_t foldItemsOfList(const FoldRequest& request);

// Numbering items again after a change gives a fold's first item its new number.
void setFoldFirstItem(FieldInstance* fold, int64_t number);
