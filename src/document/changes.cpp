#include "document/changes.h"

#include "document/binding.h"
#include "document/instances.h"
#include "document/row_kind.h"
#include "fieldtypes/registry.h"
#include "templates/template.h"

bool editInstance(Document* document, FieldInstance* instance) {
    if (!instance || !instance->value) return false;
    const FieldType* type = instance->field->fieldType;
    if (!type || !type->procs.editValue) return false;
    int32_t result1 = 0;
    int32_t result2 = 0;
    if (!type->procs.editValue(instance, instance->value, &result1, &result2)) return false;
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

// The list's instances after its first header are its other headers and, deeper, the instances
// of its items; the first instance at the list's depth that is no header of it ends the list.
template <typename Visit>
void forEachHeader(FieldInstance* firstHeader, Visit visit) {
    for (FieldInstance* at = firstHeader; at && at->depth >= firstHeader->depth; at = at->next) {
        if (at->depth > firstHeader->depth) continue;
        if (!isHeaderOf(at, firstHeader)) break;
        visit(at);
    }
}

// An empty list shows its first header all the same; its count says that it has no item.
int64_t itemCount(FieldInstance* firstHeader, FieldInstance* count, const RowKind& countKind) {
    if (numberOf(count) + (countKind.zeroBased ? 1 : 0) <= 0) return 0;
    int64_t headers = 0;
    forEachHeader(firstHeader, [&](FieldInstance*) { ++headers; });
    return headers;
}

FieldInstance* firstHeaderOf(FieldInstance* instance, const TemplateField* opener) {
    if (instance->field != opener) {
        FieldInstance* first = instance->partner;  // an end instance's partner
        return first && first->field == opener ? first : nullptr;
    }
    for (FieldInstance* at = instance; at && at->depth >= instance->depth; at = at->previous) {
        if (at->depth > instance->depth) continue;
        if (!isHeaderOf(at, instance)) break;
        if (numberOf(at) == 0) return at;
    }
    return nullptr;
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

}  // namespace

namespace {

// The counted list an instance belongs to.
struct CountedList {
    int32_t row;  // of its LSTC
    FieldInstance* firstHeader;
    FieldInstance* count;
    RowKind countKind;
    int64_t items;
};

// False for an instance on no counted list's row. Size-bounded lists do not bind, so an item
// inserted there could never be read back.
bool findCountedList(Document* document, FieldInstance* instance, CountedList& list) {
    RowRole role = rowKindOf(instance->field->code).role;
    if (role != RowRole::CountedList && role != RowRole::ListEnd) return false;
    TemplateField* opener = role == RowRole::ListEnd ? instance->field->partner : instance->field;
    list.row = rowOf(document, opener);
    if (list.row < 0 || rowKindOf(opener->code).role != RowRole::CountedList) return false;
    list.firstHeader = firstHeaderOf(instance, opener);
    if (!list.firstHeader || !list.firstHeader->listSource) return false;
    list.count = list.firstHeader->listSource;
    list.countKind = rowKindOf(list.count->field->code);
    list.items = itemCount(list.firstHeader, list.count, list.countKind);
    return true;
}

}  // namespace

bool insertItem(Document* document, FieldInstance* instance) {
    CountedList list;
    if (!instance || !findCountedList(document, instance, list)) return false;
    int64_t zeroBased = list.countKind.zeroBased ? 1 : 0;
    if (list.items + 1 - zeroBased > largestCount(list.countKind)) return false;
    FieldInstance* firstHeader = list.firstHeader;

    bool first = list.items == 0 || instance == firstHeader;
    Place place = first ? Place{firstHeader, firstHeader->next} : Place{instance->previous, instance};
    FieldInstance* lastBefore = document->last;
    document->last = place.predecessor;
    FieldInstance* header = first ? firstHeader : appendHeader(document, firstHeader);
    if (header) {
        int32_t row = list.row + 1;
        bind(document, nullptr, row, header, list.count);
    }
    if (first && list.items > 0) {
        // The item that was first keeps a header of its own, after the new one.
        FieldInstance* oldFirst = appendHeader(document, firstHeader);
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

    int64_t headers = 0;
    forEachHeader(firstHeader, [&](FieldInstance* at) { numberOf(at) = headers++; });
    numberOf(list.count) = headers - zeroBased;
    document->saved = false;
    return true;
}
