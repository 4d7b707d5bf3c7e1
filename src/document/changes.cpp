#include "document/changes.h"

#include "document/binding.h"
#include "document/history.h"
#include "document/instances.h"
#include "document/item_change.h"
#include "document/lists.h"
#include "document/row_kind.h"
#include "document/sizes.h"
#include "document/zero_items.h"
#include "fieldtypes/registry.h"
#include "templates/template.h"

bool editInstance(Document* document, FieldInstance* instance) {
    if (!instance || !instance->value) return false;
    const FieldType* type = instance->field->fieldType;
    if (!type || !type->procs.editValue || !type->procs.cloneValue || !type->procs.destroyValue) return false;
    // The value as it was, for Undo and to go back to when a size number cannot follow.
    void* before = type->procs.cloneValue(instance, instance->value);
    if (!before || !reserveChange(document)) {
        if (before) type->procs.destroyValue(instance, before);
        return false;
    }
    uint64_t zeroItems = zeroItemsAround(instance);
    int32_t result1 = 0;
    int32_t result2 = 0;
    bool changed = type->procs.editValue(instance, instance->value, &result1, &result2) != 0;
    bool sized = changed && (!document->hasBoundedRows || updateSizes(document));
    // An item of a list ended by zeros that turned to zeros, or from them, would change the list.
    if (changed && (!sized || zeroItemsAround(instance) != zeroItems)) {
        type->procs.destroyValue(instance, instance->value);
        instance->value = before;
        if (sized && document->hasBoundedRows) updateSizes(document);
        return false;
    }
    if (!changed) {
        type->procs.destroyValue(instance, before);
        return false;
    }
    recordEdit(document, instance, before);
    document->saved = false;
    return true;
}

namespace {

struct Place {
    FieldInstance* predecessor;
    FieldInstance* successor;
};

// Links what was appended after the predecessor to the successor.
void closeGap(Document* document, const Place& place, FieldInstance* lastBefore) {
    FieldInstance* appended = document->last;
    appended->next = place.successor;
    if (place.successor) place.successor->previous = appended;
    // Inserting after the last instance moves the end of the document.
    document->last = place.successor ? lastBefore : appended;
}

// Another header of the list after the document's last instance; numbered with the others later.
FieldInstance* appendHeader(Document* document, FieldInstance* firstHeader) {
    int64_t* number = newNumber(document, 0);
    int64_t failure = 0;
    FieldInstance* header = number ? appendInstance(document, firstHeader->field, firstHeader->parent,
                                                    nullptr, firstHeader->listSource, &failure)
                                   : nullptr;
    if (header) header->value = number;
    return header;
}

// Takes the inserted instances out again, and gives the old first item its header back.
void undoInsertion(Document* document, const Place& place, FieldInstance* firstHeader,
                   FieldInstance* oldFirst) {
    FieldInstance* first = place.predecessor->next;
    FieldInstance* last = place.successor ? place.successor->previous : document->last;
    if (oldFirst) passItem(place.successor, firstHeader, oldFirst, firstHeader);
    removeInstances(document, first, last);
}

// With the count the list will have after the insertion, whether every item of a list ended by
// zeros around it stays as zero, or as non-zero, as it was.
bool keepsZeroItems(const ListOf& list, int64_t zeroBased, uint64_t zeroItems) {
    if (!list.count) return zeroItemsAround(list.firstHeader) == zeroItems;
    int64_t count = numberOf(list.count);
    numberOf(list.count) = list.items + 1 - zeroBased;
    bool kept = zeroItemsAround(list.firstHeader) == zeroItems;
    numberOf(list.count) = count;
    return kept;
}

}  // namespace

bool insertItem(Document* document, FieldInstance* instance) {
    ListOf list;
    // A new item, all zeros, would end a list ended by an item of zeros when the file is read again.
    if (!instance || !findList(document, instance, list) || list.kind == 'B') return false;
    int64_t zeroBased = list.countKind.zeroBased ? 1 : 0;
    if (list.count && list.items + 1 - zeroBased > largestCount(list.countKind)) return false;
    if (!reserveChange(document)) return false;
    FieldInstance* firstHeader = list.firstHeader;
    uint64_t zeroItems = zeroItemsAround(firstHeader);

    bool first = list.items == 0 || instance == firstHeader;
    Place place = first ? Place{firstHeader, firstHeader->next} : Place{instance->previous, instance};
    FieldInstance* lastBefore = document->last;
    document->last = place.predecessor;
    FieldInstance* header = first ? firstHeader : appendHeader(document, firstHeader);
    if (header) {
        int32_t row = list.row + 1;
        bind(document, nullptr, row, header, firstHeader->listSource);
    }
    FieldInstance* oldFirst = nullptr;
    if (first && list.items > 0) {
        // The item that was first keeps a header of its own, after the new one.
        oldFirst = appendHeader(document, firstHeader);
        if (oldFirst) passItem(place.successor, firstHeader, firstHeader, oldFirst);
    }
    if (document->last == place.predecessor) {
        document->last = lastBefore;
        return false;
    }
    closeGap(document, place, lastBefore);
    int64_t bytes = 0;
    bool holdsListToTheEnd = false;
    for (FieldInstance* at = place.predecessor->next; at != place.successor; at = at->next) {
        bytes += instanceSize(at);
        bool innerList = at->field != firstHeader->field && rowKindOf(at->field->code).list == 'Z';
        holdsListToTheEnd = holdsListToTheEnd || innerList;
    }
    // What would not read back is refused: an item of no bytes in a list bounded by its data, an
    // empty list that runs to the end of its data (it would take the bytes after it), a size that
    // cannot count the new bytes.
    bool refused = (!list.count && bytes == 0) || holdsListToTheEnd ||
                   (document->hasBoundedRows && !updateSizes(document));
    if (!refused && !keepsZeroItems(list, zeroBased, zeroItems)) {
        undoInsertion(document, place, firstHeader, oldFirst);
        if (document->hasBoundedRows) updateSizes(document);
        return false;
    }
    if (refused) {
        undoInsertion(document, place, firstHeader, oldFirst);
        return false;
    }

    ItemChange change{firstHeader,
                      list.count,
                      place.predecessor,
                      place.predecessor->next,
                      place.successor ? place.successor->previous : document->last,
                      oldFirst,
                      0,
                      list.count ? numberOf(list.count) : 0,
                      renumberHeadersAfter(place.predecessor, firstHeader) - zeroBased};
    if (list.count) numberOf(list.count) = change.countIn;
    recordItemChange(document, change, true);
    document->saved = false;
    return true;
}
