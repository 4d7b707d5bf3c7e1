#include "document/changes.h"

#include "document/binding.h"
#include "document/instances.h"
#include "document/row_kind.h"
#include "document/sizes.h"
#include "fieldtypes/registry.h"
#include "templates/template.h"

bool editInstance(Document* document, FieldInstance* instance) {
    if (!instance || !instance->value) return false;
    const FieldType* type = instance->field->fieldType;
    if (!type || !type->procs.editValue) return false;
    // A value whose size may change is kept, to go back to when a size number cannot follow.
    bool bounded = document->hasBoundedRows;
    if (bounded && (!type->procs.cloneValue || !type->procs.destroyValue)) return false;
    void* before = bounded ? type->procs.cloneValue(instance, instance->value) : nullptr;
    if (bounded && !before) return false;
    int32_t result1 = 0;
    int32_t result2 = 0;
    bool changed = type->procs.editValue(instance, instance->value, &result1, &result2) != 0;
    if (changed && bounded && !updateSizes(document)) {
        type->procs.destroyValue(instance, instance->value);
        instance->value = before;
        return false;
    }
    if (before) type->procs.destroyValue(instance, before);
    if (!changed) return false;
    document->saved = false;
    return true;
}

namespace {

bool isHeaderOf(const FieldInstance* instance, const FieldInstance* firstHeader) {
    return instance->field == firstHeader->field && instance->parent == firstHeader->parent;
}

int64_t& numberOf(FieldInstance* instance) {
    return *static_cast<int64_t*>(instance->value);
}

// The instances of a list at its own level are its headers and its end row; everything of its items
// hangs below a header (a row after KEYE in an item stands at the list's depth all the same). The
// first row of the list's level that is no header of it, or any row above the level, ends the walk.
template <typename Step, typename Visit>
void forEachHeader(FieldInstance* from, const FieldInstance* firstHeader, Step step, Visit visit) {
    for (FieldInstance* at = from; at && at->depth >= firstHeader->depth; at = step(at)) {
        if (at->parent != firstHeader->parent) continue;
        if (!isHeaderOf(at, firstHeader) || !visit(at)) break;
    }
}

FieldInstance* forward(FieldInstance* at) {
    return at->next;
}

FieldInstance* backward(FieldInstance* at) {
    return at->previous;
}

FieldInstance* firstHeaderOf(FieldInstance* instance, const TemplateField* opener) {
    if (instance->field != opener) {
        FieldInstance* first = instance->partner;  // an end instance's partner
        return first && first->field == opener ? first : nullptr;
    }
    FieldInstance* first = nullptr;
    forEachHeader(instance, instance, backward, [&](FieldInstance* at) {
        if (numberOf(at) == 0) first = at;
        return !first;
    });
    return first;
}

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

// The list an instance belongs to: a counted list, or one bounded by a size or by the end of its data.
struct ListOf {
    int32_t row;  // of its opener
    FieldInstance* firstHeader;
    FieldInstance* count;  // counted lists only
    RowKind countKind;
    int64_t items;
};

// False for an instance on no list's row, and for lists ended by an item of zeros, where a new
// item, all zeros, would end the list when the file is read again.
bool findList(Document* document, FieldInstance* instance, ListOf& list) {
    RowRole role = rowKindOf(instance->field->code).role;
    if (role != RowRole::CountedList && role != RowRole::SizedList && role != RowRole::ListEnd) return false;
    TemplateField* opener = role == RowRole::ListEnd ? instance->field->partner : instance->field;
    if (!opener) return false;
    RowKind openerKind = rowKindOf(opener->code);
    list.row = rowOf(document, opener);
    if (list.row < 0 || openerKind.list == 0 || openerKind.list == 'B') return false;
    list.firstHeader = firstHeaderOf(instance, opener);
    if (!list.firstHeader) return false;
    list.count = openerKind.list == 'C' ? list.firstHeader->listSource : nullptr;
    if (openerKind.list == 'C' && !list.count) return false;
    list.countKind = list.count ? rowKindOf(list.count->field->code) : RowKind{};
    // An empty list shows its first header all the same.
    bool empty = list.count
                     ? (list.countKind.zeroBased ? numberOf(list.count) < 0 : numberOf(list.count) <= 0)
                     : list.firstHeader->next == list.firstHeader->partner;
    list.items = 0;
    if (!empty) {
        forEachHeader(list.firstHeader, list.firstHeader, forward,
                      [&](FieldInstance*) { return ++list.items > 0; });
    }
    return true;
}

// Takes the inserted instances out again, and gives the old first item its header back.
void undoInsertion(Document* document, const Place& place, FieldInstance* firstHeader,
                   FieldInstance* oldFirst) {
    FieldInstance* first = place.predecessor->next;
    FieldInstance* last = place.successor ? place.successor->previous : document->last;
    if (oldFirst) {
        for (FieldInstance* at = place.successor; at && at->depth > firstHeader->depth; at = at->next) {
            if (at->parent == oldFirst) at->parent = firstHeader;
        }
    }
    removeInstances(document, first, last);
}

}  // namespace

bool insertItem(Document* document, FieldInstance* instance) {
    ListOf list;
    if (!instance || !findList(document, instance, list)) return false;
    int64_t zeroBased = list.countKind.zeroBased ? 1 : 0;
    if (list.count && list.items + 1 - zeroBased > largestCount(list.countKind)) return false;
    FieldInstance* firstHeader = list.firstHeader;

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
        if (oldFirst) {
            for (FieldInstance* at = place.successor; at && at->depth > firstHeader->depth; at = at->next) {
                if (at->parent == firstHeader) at->parent = oldFirst;
            }
        }
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
    if ((!list.count && bytes == 0) || holdsListToTheEnd ||
        (document->hasBoundedRows && !updateSizes(document))) {
        undoInsertion(document, place, firstHeader, oldFirst);
        return false;
    }

    int64_t headers = 0;
    forEachHeader(firstHeader, firstHeader, forward, [&](FieldInstance* at) {
        numberOf(at) = headers++;
        return true;
    });
    if (list.count) numberOf(list.count) = headers - zeroBased;
    document->saved = false;
    return true;
}
