// Folding again the items that were bound to be shown, once they are out of sight.
#include <new>

#include "document/fold_plan.h"
#include "document/fold_value.h"
#include "document/folds.h"
#include "document/history.h"
#include "document/instances.h"
#include "document/lists.h"
#include "document/places.h"
#include "templates/template.h"

namespace {

bool isItemOf(const FieldInstance* instance, const FieldInstance* fold, int64_t number) {
    const FoldValue& f = foldValueOf(fold);
    return instance->field == f.listField && instance->parent == fold->parent &&
           *static_cast<const int64_t*>(instance->value) == number;
}

// Marks the rows a refold keeps for the time it takes.
constexpr uint32_t kInstanceKept = 16;
constexpr uint32_t kInstanceStays = kInstanceSelected | kInstanceCurrent | kInstanceKept;

void markKept(FieldInstance* first, FieldInstance* last, bool kept) {
    for (FieldInstance* at = first; at; at = at->next) {
        at->flags = kept ? at->flags | kInstanceKept : at->flags & ~kInstanceKept;
        if (at == last) break;
    }
}

// The bytes and height of the item under a header; -1 bytes when a row of it must stay.
struct ShownItem {
    FieldInstance* last;
    int64_t bytes;
    int64_t height;
};

ShownItem shownItem(FieldInstance* header) {
    ShownItem item{itemEnd(header), 0, 0};
    bool stays = false;
    for (FieldInstance* at = header;; at = at->next) {
        stays = stays || (at->flags & kInstanceStays);
        item.bytes += instanceSize(at);
        item.height += at->height;
        if (at == item.last) break;
    }
    if (stays) item.bytes = -1;
    return item;
}

// The fold takes in the shown items and the folds of its list that follow it.
void foldFollowing(Document* document, FieldInstance* fold) {
    FoldValue& f = foldValueOf(fold);
    for (FieldInstance* next = fold->next; next; next = fold->next) {
        if (isFoldInstance(next)) {
            if (foldValueOf(next).plan != f.plan || foldValueOf(next).firstItem != f.firstItem + f.items) return;
            f.items += foldValueOf(next).items;
            f.bytes.length += foldValueOf(next).bytes.length;
            fold->height += next->height;
            releaseInstances(document, next, next);
            continue;
        }
        if (!isItemOf(next, fold, f.firstItem + f.items)) return;
        ShownItem item = shownItem(next);
        if (item.bytes < 0) return;
        ++f.items;
        f.bytes.length += item.bytes;
        fold->height += item.height;
        releaseInstances(document, next, item.last);
    }
}

// A header of a list's item, after binding put the item's rows under it.
bool isShownHeader(const FieldInstance* instance) {
    return instance->extentLast && instance->value && !instance->field->fieldType &&
           rowKindOf(instance->field->code).list != 0;
}

// A fold of the list that comes after the shown items from the header on; null for none.
FieldInstance* foldAfter(FieldInstance* header) {
    FieldInstance* after = itemEnd(header)->next;
    while (after && after->field == header->field && after->parent == header->parent) after = itemEnd(after)->next;
    bool ofList = after && isFoldInstance(after) && foldValueOf(after).listField == header->field &&
                  after->parent == header->parent;
    return ofList ? after : nullptr;
}

// A fold without items just before the header, of the list a later fold is of; null without memory.
FieldInstance* emptyFoldBefore(Document* document, FieldInstance* header, FieldInstance* later) {
    const FoldValue& model = foldValueOf(later);
    FoldValue* value = new (std::nothrow) FoldValue(model);
    if (!value) return nullptr;
    ++model.plan->refs;
    int64_t number = *static_cast<const int64_t*>(header->value);
    int64_t place = placeOf(document, header);
    value->firstItem = number;
    value->items = 0;
    value->origin = model.origin - (model.firstItem - number);
    value->bytes.offset = place;
    value->bytes.length = 0;
    value->originOffset = place + (model.originOffset - model.bytes.offset);
    FieldInstance* fold = appendFold(document, value, later->parent, later->depth, header->height);
    if (fold) moveLastAfter(document, header->previous, fold);
    return fold;
}

// Shown items with no fold next to them start a fold of their own when their list has one later.
void foldLoneItems(Document* document) {
    for (FieldInstance* at = document->first; at; at = at->next) {
        if (!isShownHeader(at) || *static_cast<const int64_t*>(at->value) < 1 || isFoldInstance(at->previous) ||
            shownItem(at).bytes < 0)
            continue;
        FieldInstance* later = foldAfter(at);
        FieldInstance* fold = later ? emptyFoldBefore(document, at, later) : nullptr;
        if (!fold) continue;
        foldFollowing(document, fold);
        at = fold;
    }
}

}  // namespace

int64_t refoldShownItems(Document* document, FieldInstance* keepFirst, FieldInstance* keepLast) {
    if (canUndo(document) || canRedo(document)) return 0;
    int64_t before = document->instanceCount;
    if (keepFirst) markKept(keepFirst, keepLast, true);
    for (FieldInstance* at = document->first; at; at = at->next) {
        if (isFoldInstance(at)) foldFollowing(document, at);
    }
    foldLoneItems(document);
    if (keepFirst) markKept(keepFirst, keepLast, false);
    return before - document->instanceCount;
}
