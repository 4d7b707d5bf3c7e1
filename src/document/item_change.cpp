#include "document/item_change.h"

#include "document/instances.h"
#include "document/lists.h"

namespace {

void settle(const ItemChange& change, int64_t count) {
    renumberHeadersAfter(change.predecessor, change.firstHeader);
    if (change.count) numberOf(change.count) = count;
}

}  // namespace

void takeItemOut(Document* document, ItemChange& change) {
    if (change.first) {
        if (change.passedHeader)
            passItem(change.last->next, change.firstHeader, change.passedHeader, change.firstHeader);
        change.instances = unlinkInstances(document, change.first, change.last);
    }
    settle(change, change.countOut);
}

void putItemIn(Document* document, const ItemChange& change) {
    if (change.first) {
        linkInstances(document, change.predecessor, change.first, change.last, change.instances);
        if (change.passedHeader)
            passItem(change.last->next, change.firstHeader, change.firstHeader, change.passedHeader);
    }
    settle(change, change.countIn);
}
