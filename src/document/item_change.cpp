#include "document/item_change.h"

#include "document/instances.h"
#include "document/lists.h"

namespace {

// The rows of the item after the passed header's: its own while it is in, the first header's
// while it is out.
void passRows(const ItemChange& change, const FieldInstance* from, FieldInstance* to) {
    FieldInstance* passed = change.passedHeader;
    if (passed && passed->extentLast && passed->extentLast != passed)
        passItem(change.last->next, passed->extentLast, from, to);
}

void settle(const ItemChange& change, int64_t count, FieldInstance* firstEnd) {
    if (change.predecessor == change.firstHeader) change.firstHeader->extentLast = firstEnd;
    renumberHeaders(change.firstHeader);
    if (change.count) setCountNumber(change.count, count);
}

}  // namespace

void takeItemOut(Document* document, ItemChange& change) {
    if (change.first) {
        passRows(change, change.passedHeader, change.firstHeader);
        change.instances = unlinkInstances(document, change.first, change.last);
    }
    settle(change, change.countOut, change.firstEndOut);
}

void putItemIn(Document* document, const ItemChange& change) {
    if (change.first) {
        linkInstances(document, change.predecessor, change.first, change.last, change.instances);
        passRows(change, change.firstHeader, change.passedHeader);
    }
    settle(change, change.countIn, change.firstEndIn);
}
