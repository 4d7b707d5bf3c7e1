#include "document/changes.h"

#include <cstring>

#include "document/binding.h"
#include "document/case_match.h"
#include "document/history.h"
#include "document/instances.h"
#include "document/item_change.h"
#include "document/layout_check.h"
#include "document/place_shift.h"
#include "document/lists.h"
#include "document/relayout.h"
#include "document/refusal.h"
#include "document/row_kind.h"
#include "document/sizes.h"
#include "document/zero_items.h"
#include "fieldtypes/registry.h"
#include "templates/template.h"

const char* changeRefusal(const Document* document) {
    return document->refusal[0] ? document->refusal : nullptr;
}

namespace {

// Sizes follow the change, or the reason it cannot stand goes to the document.
bool settleSizes(Document* document, const char* sizeReason, const char* listReason) {
    FieldInstance* failed;
    if (updateSizes(document, &failed)) return true;
    refuse(document, failed ? sizeReason : listReason, failed);
    return false;
}

int askThroughType(FieldInstance* instance, const void*) {
    int32_t result1 = 0;
    int32_t result2 = 0;
    return instance->field->fieldType->procs.editValue(instance, instance->value, &result1, &result2);
}

}  // namespace

bool editInstance(Document* document, FieldInstance* instance) {
    document->refusal[0] = 0;
    if (instance && isCode(instance->field->code, "BITS")) return editBits(document, instance);
    const FieldType* type = instance ? instance->field->fieldType : nullptr;
    return type && type->procs.editValue && changeValue(document, instance, askThroughType, nullptr);
}

bool changeValue(Document* document, FieldInstance* instance, AskProc ask, const void* context) {
    if (!instance->value) return false;
    const FieldType* type = instance->field->fieldType;
    if (!type || !type->procs.cloneValue || !type->procs.destroyValue) return false;
    // The value as it was, for Undo and to go back to when a size number cannot follow.
    void* before = type->procs.cloneValue(instance, instance->value);
    if (!before || !reserveChange(document)) {
        if (before) type->procs.destroyValue(instance, before);
        refuse(document, "There is not enough memory.");
        return false;
    }
    uint64_t zeroItems = zeroItemsAround(instance);
    int64_t sizeBefore = instanceSize(instance);
    bool changed = ask(instance, context) != 0;
    // Rows at offsets after a field that grew or shrank move with the bytes after it.
    PlaceMoves* moves = nullptr;
    const char* placeRefusal = changed ? resizePlaces(document, instance, sizeBefore, &moves) : nullptr;
    if (placeRefusal) refuse(document, placeRefusal);
    bool placed = changed && !placeRefusal;
    bool sized = placed && settleSizes(document, "The size \"%s\" cannot count the new value's bytes.",
                                        "A list that runs to the end of its data would take the new bytes.");
    // An item of a list ended by zeros that turned to zeros, or from them, would change the list.
    bool kept = sized && zeroItemsAround(instance) == zeroItems;
    if (sized && !kept)
        refuse(document, "The new value would change where a list ended by an item of zeros ends.");
    if (kept && (sharesBytes(document, instance) ||
                 !settleLayout(document, rowKindOf(instance->field->code).role == RowRole::Key))) {
        // Other rows depend on the value, or stand over its bytes: the file is laid out anew from its
        // bytes, and the binding it had goes back to how it was before the edit, for Undo.
        if (Document* was = layOutAnew(document, instance)) {
            type->procs.destroyValue(instance, instance->value);
            instance->value = before;
            replayPlaces(moves, false);  // on the binding the document had, which the moves changed
            releasePlaces(moves);
            updateSizes(was);
            recordLayout(document, was);
            document->saved = false;
            return true;
        }
        refuse(document, kLayoutRefusal);
        kept = false;
    }
    if (changed && !kept) {
        type->procs.destroyValue(instance, instance->value);
        instance->value = before;
        replayPlaces(moves, false);
        releasePlaces(moves);
        if (sized) updateSizes(document);  // a refused size changed no number
        return false;
    }
    if (!changed) {
        type->procs.destroyValue(instance, before);
        return false;
    }
    recordEdit(document, instance, before, moves);
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
    if (header) {
        header->value = number;
        header->flags |= firstHeader->flags & kInstanceOrder;
    }
    return header;
}

// Binds the new item's rows without a file after the document's last instance; why it could not,
// leaving the document's own reason for its binding as it was.
BindStop bindItem(Document* document, const ListOf& list, FieldInstance* header, int32_t caseRow) {
    BindStop reason = document->stopReason;
    int32_t stopRow = document->stopRow;
    int64_t stopOffset = document->stopOffset;
    int32_t row = list.row + 1;
    BindStop itemStop = bind(document, nullptr, row, header, caseRow) >= 0
                            ? BindStop::None
                            : document->stopReason;
    document->stopReason = reason;
    document->stopRow = stopRow;
    document->stopOffset = stopOffset;
    header->extentLast = document->last;
    return itemStop;
}

// Whether every list ended by an item of zeros inside the new instances has its item of zeros,
// and every such list around them keeps its items as zero, or as not, as they were.
bool keepsZeroItems(const ListOf& list, const ItemChange& change, uint64_t zeroItems) {
    for (FieldInstance* at = change.first; at; at = at == change.last ? nullptr : at->next) {
        if (at != list.firstHeader && rowKindOf(at->field->code).list == 'B' && !itemIsZero(at)) return false;
    }
    return zeroItemsAround(list.firstHeader) == zeroItems;
}

const char* insertionRefusal(Document* document, const ListOf& list) {
    if (list.kind == 'B') return "An item of zeros would end this list.";
    if (!list.firstHeader->partner)
        return "Binding stopped inside this list, so its items are not all known.";
    if (list.count && !countFits(list.count, list.items + 1 - list.countAdded))
        return "The list's count is at its largest.";
    if (!reserveChange(document)) return "There is not enough memory.";
    return nullptr;
}

// Makes the new item's instances in their place: a header of its own (or the first header, for an
// item that goes first, with a header of its own for the item that was first), then its rows. The
// change describes them, so that taking it out undoes this; *stop says why the rows were not all made.
ItemChange placeItem(Document* document, const ListOf& list, FieldInstance* instance, int32_t caseRow,
                     BindStop* stop) {
    FieldInstance* firstHeader = list.firstHeader;
    bool first = list.items == 0 || instance == firstHeader;
    Place place = first ? Place{firstHeader, firstHeader->next} : Place{instance->previous, instance};
    FieldInstance* lastBefore = document->last;
    FieldInstance* oldFirstEnd = firstHeader->extentLast;
    document->last = place.predecessor;
    FieldInstance* header = first ? firstHeader : appendHeader(document, firstHeader);
    *stop = header ? bindItem(document, list, header, caseRow) : BindStop::OutOfMemory;
    FieldInstance* oldFirst = nullptr;
    if (*stop == BindStop::None && first && list.items > 0) {
        oldFirst = appendHeader(document, firstHeader);
        if (!oldFirst) *stop = BindStop::OutOfMemory;
        if (oldFirst) {
            oldFirst->extentLast = oldFirstEnd == firstHeader ? oldFirst : oldFirstEnd;
            if (oldFirstEnd != firstHeader) passItem(place.successor, oldFirstEnd, firstHeader, oldFirst);
        }
    }
    ItemChange change{firstHeader, list.count, place.predecessor,       nullptr,    nullptr, oldFirst, 0,
                      0,           0,          firstHeader->extentLast, oldFirstEnd};
    change.countOut = list.count ? countNumber(list.count) : 0;
    change.countIn = list.items + 1 - list.countAdded;
    if (document->last == place.predecessor) {
        // A row the binding made and dropped again took the predecessor's link with it.
        place.predecessor->next = place.successor;
        document->last = lastBefore;
        return change;
    }
    closeGap(document, place, lastBefore);
    change.first = place.predecessor->next;
    change.last = place.successor ? place.successor->previous : document->last;
    return change;
}

// What would not read back is refused: an item the template cannot make, an item of no bytes in a
// list bounded by its data, a size that cannot count the new bytes, bytes that a list running to the
// end of its data would take, an item of zeros gained or lost. The change is in place when it stands.
const char* checkItem(Document* document, const ListOf& list, const ItemChange& change, BindStop stop,
                      uint64_t zeroItems) {
    if (stop == BindStop::InstanceLimit || stop == BindStop::OutOfMemory)
        return "The document cannot hold the new item's rows.";
    if (stop != BindStop::None) return "The template cannot make a new item of this list.";
    int64_t bytes = 0;
    for (FieldInstance* at = change.first; at; at = at == change.last ? nullptr : at->next)
        bytes += instanceSize(at);
    if (!list.count && bytes == 0) return "A new item would take no bytes, so it could not be read back.";
    renumberHeaders(list.firstHeader);
    if (list.count) setCountNumber(list.count, change.countIn);
    if (!settleSizes(document, "The size \"%s\" cannot count the new item's bytes.",
                     "A list that runs to the end of its data would take the new item's bytes.")) {
        return document->refusal;
    }
    if (!keepsZeroItems(list, change, zeroItems))
        return "The new item would change where a list ended by an item of zeros ends.";
    return settleLayout(document) ? nullptr : kLayoutRefusal;
}

// The first CASE row of the list's items that the text names; -1 for none.
int32_t caseNamed(const Document* document, const ListOf& list, const char* name) {
    const TemplateField* opener = document->templ->fields[list.row];
    int32_t end = opener->partner ? opener->partner->index : document->templ->fieldCount;
    for (int32_t row = list.row + 1; row < end; ++row) {
        const TemplateField* field = document->templ->fields[row];
        if (isCaseCode(field->code) && caseIsNamed(field->caption, name)) return row;
    }
    return -1;
}

}  // namespace

std::string itemCases(Document* document, FieldInstance* instance) {
    ListOf list;
    std::string cases;
    if (!instance || !findList(document, instance, list)) return cases;
    const TemplateField* opener = document->templ->fields[list.row];
    int32_t end = opener->partner ? opener->partner->index : document->templ->fieldCount;
    for (int32_t row = list.row + 1; row < end; ++row) {
        const char* caption = document->templ->fields[row]->caption;
        if (!isCaseCode(document->templ->fields[row]->code)) continue;
        const char* label = std::strchr(caption, ':');
        label = label ? label + 1 : caption;
        while (*label == ' ') ++label;
        cases += (cases.empty() ? "" : ", ") + std::string(label);
    }
    return cases;
}

bool insertItem(Document* document, FieldInstance* instance, const char* caseName) {
    ListOf list;
    document->refusal[0] = 0;
    if (!instance || !findList(document, instance, list)) return false;
    int32_t caseRow = caseName ? caseNamed(document, list, caseName) : -1;
    const char* reason = caseName && caseRow < 0 ? "The list's items have no case of that name."
                                                 : insertionRefusal(document, list);
    if (reason) {
        refuse(document, reason);
        return false;
    }
    uint64_t zeroItems = zeroItemsAround(list.firstHeader);
    BindStop stop;
    ItemChange change = placeItem(document, list, instance, caseRow, &stop);
    bool bound = stop == BindStop::None && change.first;
    PlaceMoves* moves = nullptr;
    const char* refusal = bound ? movePlaces(document, change.first, change.last, true, &moves) : nullptr;
    if (!refusal) refusal = checkItem(document, list, change, stop, zeroItems);
    if (refusal) {
        replayPlaces(moves, false);
        releasePlaces(moves);
        takeItemOut(document, change);
        if (change.first) destroyValues(change.first, change.last);
        updateSizes(document);
        if (refusal != document->refusal) refuse(document, refusal);
        return false;
    }
    recordItemChange(document, change, true, moves);
    document->saved = false;
    return true;
}
