#include "document/changes.h"
#include "document/folds.h"
#include "document/history.h"
#include "document/item_change.h"
#include "document/layout_check.h"
#include "document/lists.h"
#include "document/place_shift.h"
#include "document/refusal.h"
#include "document/sizes.h"
#include "document/zero_items.h"
#include "templates/template.h"

namespace {

// The instances that go: the item's own rows, and with the first of several items the next header
// too, so that the first header stays and passes to the next item.
ItemChange itemToDelete(const ListOf& list, FieldInstance* header) {
    FieldInstance* firstHeader = list.firstHeader;
    FieldInstance* end = itemEnd(header);
    ItemChange change{firstHeader, list.count, header->previous, header, end, nullptr, 0, 0, 0,
                      firstHeader->extentLast, firstHeader->extentLast};
    if (header == firstHeader) {
        FieldInstance* next = list.items > 1 ? end->next : nullptr;
        change.predecessor = firstHeader;
        change.passedHeader = next;
        change.first = next || end != firstHeader ? firstHeader->next : nullptr;
        change.last = next ? next : end;
        change.firstEndOut = next ? (itemEnd(next) == next ? firstHeader : itemEnd(next)) : nullptr;
    }
    if (list.count) {
        change.countIn = countNumber(list.count);
        change.countOut = list.items - 1 - list.countAdded;
    }
    return change;
}

}  // namespace

bool deleteItem(Document* document, FieldInstance* header) {
    ListOf list;
    document->refusal[0] = 0;
    if (!header || rowKindOf(header->field->code).role == RowRole::ListEnd) return false;
    if (!findList(document, header, list) || list.items == 0) return false;
    // The first header passes to the second item, which must be bound for it.
    FieldInstance* after = itemEnd(header)->next;
    if (header == list.firstHeader && after && isFoldInstance(after) && !unfoldRow(after, 0)) {
        refuse(document, "The file changed since it was read, so the next item cannot be read.");
        return false;
    }
    ItemChange change = itemToDelete(list, header);
    PlaceMoves* moves = nullptr;
    const char* refusal =
        // A list whose end was never bound may hold bytes binding could not lay out.
        !list.firstHeader->partner ? "Binding stopped inside this list, so its items are not all known."
        : list.count && !countFits(list.count, change.countOut)
            ? (change.countOut < 0 ? "An empty list of this kind needs a count below 0, which its count cannot hold."
                                   : "The list's count cannot say how many items are left.")
        : list.kind == 'B' && itemEnd(header)->next == list.firstHeader->partner ? "The item of zeros ends this list."
        : !reserveChange(document)                                               ? "There is not enough memory."
                                                                                 : movePlaces(document, change.first, change.last, false, &moves);
    if (refusal) {
        refuse(document, refusal);
        return false;
    }
    uint64_t zeroItems = zeroItemsAround(list.firstHeader);
    takeItemOut(document, change);
    FieldInstance* failed;
    bool sized = updateSizes(document, &failed);
    if (!sized && failed) refuse(document, "The size \"%s\" cannot count what is left.", failed);
    if (!sized && !failed) refuse(document, "There is not enough memory.");
    // Items of a list ended by zeros around it must stay as zero, or as non-zero, as they were.
    if (sized && zeroItemsAround(list.firstHeader) != zeroItems) {
        refuse(document, "Deleting the item would change where a list ended by an item of zeros ends.");
        sized = false;
    }
    if (sized && !settleLayout(document)) {
        refuse(document, kLayoutRefusal);
        sized = false;
    }
    if (!sized) {
        putItemIn(document, change);
        replayPlaces(moves, false);
        releasePlaces(moves);
        updateSizes(document);
        return false;
    }
    recordItemChange(document, change, false, moves);
    document->saved = false;
    return true;
}
