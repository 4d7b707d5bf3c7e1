#include "document/lists.h"

#include "document/instances.h"
#include "templates/template.h"

namespace {

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

// Rows of an item: deeper than its header, or at its depth under another parent (after KEYE).
bool inItem(const FieldInstance* at, const FieldInstance* firstHeader) {
    return at && at->depth >= firstHeader->depth &&
           (at->depth > firstHeader->depth || at->parent != firstHeader->parent);
}

// The number of headers up to the instance: one more than the last header at or before it.
int64_t headersTo(FieldInstance* at, const FieldInstance* firstHeader) {
    int64_t headers = 0;
    forEachHeader(at, firstHeader, backward, [&](FieldInstance* header) {
        headers = numberOf(header) + 1;
        return false;
    });
    return headers;
}

}  // namespace

bool findList(Document* document, FieldInstance* instance, ListOf& list) {
    RowRole role = rowKindOf(instance->field->code).role;
    if (role != RowRole::CountedList && role != RowRole::SizedList && role != RowRole::ListEnd) return false;
    TemplateField* opener = role == RowRole::ListEnd ? instance->field->partner : instance->field;
    if (!opener) return false;
    list.kind = rowKindOf(opener->code).list;
    list.row = rowOf(document, opener);
    if (list.row < 0 || list.kind == 0) return false;
    list.firstHeader = firstHeaderOf(instance, opener);
    if (!list.firstHeader) return false;
    list.count = list.kind == 'C' ? list.firstHeader->listSource : nullptr;
    if (list.kind == 'C' && !list.count) return false;
    list.countKind = list.count ? rowKindOf(list.count->field->code) : RowKind{};
    // An empty list shows its first header all the same.
    bool empty = list.count
                     ? (list.countKind.zeroBased ? numberOf(list.count) < 0 : numberOf(list.count) <= 0)
                     : list.firstHeader->next == list.firstHeader->partner;
    list.items = 0;
    if (empty) return true;
    // Headers are numbered in order, so the last one tells how many there are; a list whose end was
    // never bound is counted header by header.
    FieldInstance* end = list.firstHeader->partner;
    if (end) return (list.items = headersTo(end->previous, list.firstHeader)), true;
    forEachHeader(list.firstHeader, list.firstHeader, forward,
                  [&](FieldInstance*) { return ++list.items > 0; });
    return true;
}

FieldInstance* itemEnd(FieldInstance* header) {
    FieldInstance* last = header;
    while (inItem(last->next, header)) last = last->next;
    return last;
}

void passItem(FieldInstance* from, const FieldInstance* firstHeader, const FieldInstance* oldHeader,
              FieldInstance* newHeader) {
    for (FieldInstance* at = from; inItem(at, firstHeader); at = at->next) {
        if (at->parent == oldHeader) at->parent = newHeader;
    }
}

int64_t renumberHeadersAfter(FieldInstance* predecessor, const FieldInstance* firstHeader) {
    int64_t headers = headersTo(predecessor, firstHeader);
    forEachHeader(predecessor->next, firstHeader, forward, [&](FieldInstance* at) {
        numberOf(at) = headers++;
        return true;
    });
    return headers;
}
