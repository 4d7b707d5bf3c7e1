#pragma once
// Items of a large counted list that binding counted without making their rows. One instance, a
// fold, stands for a run of them until they are shown: its bytes are the source file's, so saving
// copies them and sizes count them as they do rest bytes, and its height is that of all its rows.
// Showing a row binds the item that holds it where it stands; folds stay for the items on either
// side, and a fold that stands for no item any more leaves the document.
#include <cstdint>
#include <functional>

#include "document/document.h"

bool isFoldInstance(const FieldInstance* instance);

// The rows the fold stands for: each item's header and rows; and its items.
int64_t foldRows(const FieldInstance* fold);
int64_t foldItems(const FieldInstance* fold);
// The number of its first item in its list.
int64_t foldFirstItem(const FieldInstance* fold);

// The rows a document shows: its instances but folds, and the rows folds stand for.
int64_t documentRows(const Document* document);
// The instances that stand for folded items.
int64_t foldCount(const Document* document);

// The row `row` (counted from 0) of the document, bound in place when a fold stands for it; null
// past the last row or when it cannot be bound.
FieldInstance* showRow(Document* document, int64_t row);

// Binds the items that hold the bytes from `from` up to `to` where folds stand for them; false when
// one cannot be bound.
bool showBytes(Document* document, int64_t from, int64_t to);

// Binds the item that holds the fold's row `row` (0 to foldRows - 1) in place, and gives that row's
// instance. Null, changing nothing, when the item cannot be bound (no memory, the source changed).
FieldInstance* unfoldRow(FieldInstance* fold, int64_t row);
// The same for the item that holds the fold's byte `offset` (counted from the fold's first byte);
// gives the row that holds the byte.
FieldInstance* unfoldByte(FieldInstance* fold, int64_t offset);

// Binds the fold's items one after another apart from the document, which does not change, and
// hands their rows from its row `fromRow` on to visit, with the offset of each row's bytes (the
// fold's first byte at `place`), until visit gives false. False when an item does not bind as it
// was counted (the source changed) or memory runs out.
bool visitFoldedRows(const FieldInstance* fold, int64_t fromRow, int64_t place,
                     const std::function<bool(FieldInstance* row, int64_t offset)>& visit);

// Folds again the items of folded lists that were bound to be shown, but for those with a row from
// keepFirst to keepLast (in display order; null for none) or a selected or current row. Only while
// the document has no change to undo or redo, which may hold any of its instances. How many
// instances it gave back.
int64_t refoldShownItems(Document* document, FieldInstance* keepFirst, FieldInstance* keepLast);
