#include "document/lists.h"

#include "document/fold_value.h"
#include "document/folds.h"
#include "document/instances.h"
#include "expressions/expression.h"
#include "fieldtypes/number_access.h"
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

// The instance before a header, past a fold that stands for the items before it.
FieldInstance* beforeItem(FieldInstance* header) {
    FieldInstance* before = header->previous;
    return before && isFoldInstance(before) ? before->previous : before;
}

FieldInstance* firstHeaderOf(FieldInstance* instance, const TemplateField* opener) {
    if (instance->field != opener) {
        FieldInstance* first = instance->partner;  // an end instance's partner
        return first && first->field == opener ? first : nullptr;
    }
    FieldInstance* header = instance;
    while (header && numberOf(header) != 0) header = headerHolding(beforeItem(header), header);
    return header;
}

int64_t countItems(FieldInstance* firstHeader) {
    if (!firstHeader->extentLast) return 0;
    if (FieldInstance* end = firstHeader->partner) {
        if (isFoldInstance(end->previous)) return foldFirstItem(end->previous) + foldItems(end->previous);
        FieldInstance* last = headerHolding(end->previous, firstHeader);
        return last ? numberOf(last) + 1 : 0;
    }
    // A list whose end was never bound: its last item was not finished either.
    int64_t items = 0;
    for (FieldInstance* at = firstHeader; at;) {
        if (isFoldInstance(at) && at->parent == firstHeader->parent) {
            items += foldItems(at);
            at = at->next;
        } else if (isHeaderOf(at, firstHeader)) {
            ++items;
            at = at->extentLast ? at->extentLast->next : nullptr;
        } else {
            break;
        }
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
    list.countAdded = 0;
    int32_t countRow;
    if (list.count && opener->parameterCount > 0) {
        expression::isNamePlusNumber(opener->parameters[0], &countRow, &list.countAdded);
    } else if (list.count) {
        list.countAdded = rowKindOf(list.count->field->code).zeroBased ? 1 : 0;
    }
    list.items = countItems(list.firstHeader);
    return true;
}

int64_t countNumber(const FieldInstance* count) {
    int64_t number = 0;
    if (isNumberRole(rowKindOf(count->field->code).role)) return *static_cast<const int64_t*>(count->value);
    numberOfValue(count, &number);
    return number;
}

// A number count holds what its width does; a field, what reads back the same from its value.
bool setCountNumber(FieldInstance* count, int64_t number) {
    RowKind kind = rowKindOf(count->field->code);
    if (isNumberRole(kind.role)) {
        bool fits = number <= largestCount(kind) && (kind.width != 1 || number >= 0) &&
                    (kind.width >= 8 || number >= -largestCount(kind) - 1);
        if (fits) numberOf(count) = number;
        return fits;
    }
    const NumberAccess* access = numberAccessOf(count);
    int64_t before = countNumber(count);
    if (!access || !access->set) return false;
    access->set(count->value, number);
    if (countNumber(count) == number) return true;
    access->set(count->value, before);
    return false;
}

bool countFits(FieldInstance* count, int64_t number) {
    int64_t before = countNumber(count);
    if (!setCountNumber(count, number)) return false;
    setCountNumber(count, before);
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
    for (FieldInstance* at = firstHeader; at && at != end; at = itemEnd(at)->next) {
        if (isFoldInstance(at)) {
            setFoldFirstItem(at, headers);
            headers += foldItems(at);
        } else {
            numberOf(at) = headers++;
        }
    }
    return firstHeader->extentLast ? headers : 0;
}
