#include "document/lists.h"

#include "document/instances.h"
#include "templates/template.h"

namespace {

bool isHeaderOf(const FieldInstance* instance, const FieldInstance* header) {
    return instance->field == header->field && instance->parent == header->parent;
}

// The header of the list whose item holds an instance, climbing the parent links.
FieldInstance* headerHolding(FieldInstance* instance, const FieldInstance* header) {
    while (instance && !isHeaderOf(instance, header)) instance = instance->parent;
    return instance;
}

FieldInstance* firstHeaderOf(FieldInstance* instance, const TemplateField* opener) {
    if (instance->field != opener) {
        FieldInstance* first = instance->partner;  // an end instance's partner
        return first && first->field == opener ? first : nullptr;
    }
    FieldInstance* header = instance;
    while (header && numberOf(header) != 0) header = headerHolding(header->previous, header);
    return header;
}

int64_t countItems(FieldInstance* firstHeader) {
    if (!firstHeader->extentLast) return 0;
    if (FieldInstance* end = firstHeader->partner) {
        FieldInstance* last = headerHolding(end->previous, firstHeader);
        return last ? numberOf(last) + 1 : 0;
    }
    // A list whose end was never bound: its last item was not finished either.
    int64_t items = 0;
    for (FieldInstance* at = firstHeader; at && isHeaderOf(at, firstHeader); ++items) {
        at = at->extentLast ? at->extentLast->next : nullptr;
    }
    return items;
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
    list.countKind = list.count ? rowKindOf(list.count->field->code) : RowKind{};
    list.items = countItems(list.firstHeader);
    return true;
}

void passItem(FieldInstance* first, FieldInstance* last, const FieldInstance* oldHeader,
              FieldInstance* newHeader) {
    for (FieldInstance* at = first;; at = at->next) {
        if (at->parent == oldHeader) at->parent = newHeader;
        if (at == last) break;
    }
}

int64_t renumberHeaders(FieldInstance* firstHeader) {
    int64_t headers = 0;
    FieldInstance* end = firstHeader->partner;
    for (FieldInstance* at = firstHeader; at && at != end; at = itemEnd(at)->next) numberOf(at) = headers++;
    return firstHeader->extentLast ? headers : 0;
}
