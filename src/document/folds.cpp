#include "document/folds.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <new>

#include "document/binding.h"
#include "document/fold_plan.h"
#include "document/fold_value.h"
#include "document/history.h"
#include "document/instances.h"
#include "document/lists.h"
#include "document/places.h"
#include "document/rest.h"
#include "fieldtypes/value_drawing.h"
#include "shell/drawing_resources.h"
#include "shell/streams.h"
#include "templates/template.h"

namespace {

FoldValue* fold(const FieldInstance* instance) {
    return static_cast<FoldValue*>(instance->value);
}

struct FoldSlots {
    static void destroyValue(FieldInstance*, void* value) {
        FoldValue* folded = static_cast<FoldValue*>(value);
        releaseFoldPlan(folded->plan);
        delete folded;
    }

    // Shown only while the view has not yet bound the rows in sight.
    static void drawValue(FieldInstance*, void* value, PaintContext* paint, RowLayout* row) {
        const FoldValue* folded = static_cast<const FoldValue*>(value);
        char caption[64];
        std::snprintf(caption, sizeof caption, "%" PRId64 " more items", folded->items);
        RowLayout shown = *row;
        shown.caption = caption;
        drawCaptionAndValue(*paint, shown, "", 0, fntNormal);
    }

    static int64_t writeValue(FieldInstance*, void* value, TIOStream* stream, int64_t total) {
        return copyFromSource(&static_cast<FoldValue*>(value)->bytes, stream, total);
    }

    static int64_t valueSize(FieldInstance*, void* value, int64_t) {
        return static_cast<FoldValue*>(value)->bytes.length;
    }
};

FieldType foldType{
    makeFieldCode("FOLD"),
    0,
    nullptr,
    {kFieldTypeProcsLength, nullptr, FoldSlots::destroyValue, nullptr, FoldSlots::drawValue, nullptr,
     FoldSlots::writeValue, FoldSlots::valueSize, nullptr, nullptr, nullptr, nullptr, nullptr}};

char foldCaption[] = "more items";
TemplateField foldField{
    0, {'F', 'O', 'L', 'D'}, foldCaption, nullptr, nullptr, nullptr, nullptr, 0, &foldType, false, -1, nullptr, 0, false, -1};

// A new fold instance after the document's last, on the value given; null (freeing the value) when
// the document cannot take it.
FieldInstance* appendFold(Document* document, FoldValue* value, FieldInstance* parent, int32_t depth,
                          int64_t rowHeight) {
    int64_t failure;
    FieldInstance* instance = appendInstance(document, &foldField, parent, nullptr, value->count, &failure);
    if (!instance) {
        FoldSlots::destroyValue(nullptr, value);
        return nullptr;
    }
    instance->value = value;
    instance->depth = depth;
    instance->height = rowHeight * value->items * value->rowsPerItem;
    ++document->folds;
    return instance;
}

}  // namespace

bool isFoldInstance(const FieldInstance* instance) {
    return instance->field == &foldField;
}

int64_t foldRows(const FieldInstance* instance) {
    return fold(instance)->items * fold(instance)->rowsPerItem;
}

int64_t documentRows(const Document* document) {
    int64_t rows = document->instanceCount - document->folds;
    if (document->folds == 0) return rows;
    for (FieldInstance* at = document->first; at; at = at->next) {
        if (isFoldInstance(at)) rows += foldRows(at);
    }
    return rows;
}

FieldInstance* showRow(Document* document, int64_t row) {
    for (FieldInstance* at = document->first; at && row >= 0; at = at->next) {
        int64_t rows = isFoldInstance(at) ? foldRows(at) : 1;
        if (row < rows) return isFoldInstance(at) ? unfoldRow(at, row) : at;
        row -= rows;
    }
    return nullptr;
}

bool showBytes(Document* document, int64_t from, int64_t to) {
    FieldInstance* previous = nullptr;
    int64_t at = 0;
    // Binding an item changes the instances after the one before it, where the walk goes on.
    for (FieldInstance* instance = document->first; instance && at < to && document->folds > 0;) {
        int64_t size = instanceSize(instance);
        if (isFoldInstance(instance) && at + size > from) {
            if (!unfoldByte(instance, std::max(from, at) - at)) return false;
            instance = previous ? previous->next : document->first;
            continue;
        }
        previous = instance;
        at += size;
        instance = instance->next;
    }
    return true;
}

int64_t foldItems(const FieldInstance* instance) {
    return fold(instance)->items;
}

int64_t foldFirstItem(const FieldInstance* instance) {
    return fold(instance)->firstItem;
}

void setFoldFirstItem(FieldInstance* instance, int64_t number) {
    fold(instance)->firstItem = number;
}

int64_t foldItemsOfList(const FoldRequest& request) {
    FoldPlan* plan = makeFoldPlan(request.document, request.listRow, request.endRow);
    if (!plan) return 0;
    SkimReader reader(request.stream);
    int64_t at = request.start;
    int64_t items = 0;
    if (plan->itemBytes > 0) {
        items = std::min(request.items, (request.end - request.start) / plan->itemBytes);
        at += items * plan->itemBytes;
    }
    while (plan->itemBytes < 0 && items < request.items && reader.ready()) {
        if (plan->itemBytes < 0 && items % kMarkEvery == 0) plan->marks.push_back(at);
        int64_t next = skimItem(*plan, reader, at, request.end);
        if (next < 0) break;
        at = next;
        ++items;
    }
    if (items == 0 || items < request.fewest) {
        releaseFoldPlan(plan);
        request.stream->Seek(request.start, 0);
        return 0;
    }
    FoldValue* value = new (std::nothrow) FoldValue{
        {request.document->source, request.start, at - request.start, 0, 0, {0}, nullptr, -1},
        request.document,
        request.document->templ->fields[request.listRow],
        request.listRow,
        request.count,
        plan,
        request.firstItem,
        items,
        0,
        request.start,
        request.endRow - request.listRow};
    if (!value) {
        releaseFoldPlan(plan);
        return -1;
    }
    if (!appendFold(request.document, value, request.parent, request.depth, request.rowHeight)) return -1;
    request.stream->Seek(at, 0);
    return items;
}

namespace {

// Where the fold's item `index` (counted from its first) begins in the source as it is now; -1
// when the source no longer holds the items as they were counted.
int64_t itemStart(const FoldValue& f, SkimReader& reader, int64_t index) {
    if (f.plan->itemBytes >= 0) return f.bytes.offset + index * f.plan->itemBytes;
    int64_t wanted = f.origin + index;
    int64_t mark = (wanted - f.plan->markFirst) / kMarkEvery;
    int64_t from = f.plan->markFirst + mark * kMarkEvery;
    int64_t at = f.bytes.offset;
    if (from >= f.origin) {
        at += f.plan->marks[static_cast<size_t>(mark)] - f.originOffset;
    } else {
        from = f.origin;
    }
    int64_t end = f.bytes.offset + f.bytes.length;
    for (; from < wanted && at >= 0; ++from) at = skimItem(*f.plan, reader, at, end);
    return at;
}

// The item that holds the byte at `offset` from the fold's first byte; -1 as for itemStart.
int64_t itemHolding(const FoldValue& f, SkimReader& reader, int64_t offset, int64_t* start) {
    if (f.plan->itemBytes >= 0) {
        int64_t index = offset / f.plan->itemBytes;
        *start = f.bytes.offset + index * f.plan->itemBytes;
        return index;
    }
    // The last mark at or before the byte, among the marks of the fold's own items.
    const std::vector<int64_t>& marks = f.plan->marks;
    int64_t low = (f.origin - f.plan->markFirst + kMarkEvery - 1) / kMarkEvery;
    int64_t high = static_cast<int64_t>(marks.size());
    int64_t index = 0;
    int64_t at = f.bytes.offset;
    while (low < high) {
        int64_t middle = low + (high - low) / 2;
        int64_t item = f.plan->markFirst + middle * kMarkEvery - f.origin;
        int64_t markAt = marks[static_cast<size_t>(middle)] - f.originOffset;
        if (item >= f.items || markAt > offset) {
            high = middle;
        } else {
            index = item;
            at = f.bytes.offset + markAt;
            low = middle + 1;
        }
    }
    int64_t end = f.bytes.offset + f.bytes.length;
    for (;; ++index) {
        int64_t next = skimItem(*f.plan, reader, at, end);
        if (next < 0) return -1;
        if (next > f.bytes.offset + offset) break;
        at = next;
    }
    *start = at;
    return index;
}

struct StopKept {
    explicit StopKept(Document* document)
        : document_(document), reason_(document->stopReason), row_(document->stopRow),
          offset_(document->stopOffset) {}
    ~StopKept() {
        document_->stopReason = reason_;
        document_->stopRow = row_;
        document_->stopOffset = offset_;
    }
    Document* document_;
    BindStop reason_;
    int32_t row_;
    int64_t offset_;
};

// Binds the item whose bytes lie from start to end after the document's last instance; its header,
// or null, adding nothing, when it does not bind to those bytes or memory runs out.
FieldInstance* bindItemAtEnd(Document* document, const FoldValue& f, FieldInstance* parent, int64_t number,
                             TIOStream* source, int64_t start, int64_t end) {
    int64_t* value = newNumber(document, number);
    int64_t failure;
    FieldInstance* header = value ? appendInstance(document, f.listField, parent, nullptr, f.count, &failure) : nullptr;
    if (!header) return nullptr;
    header->value = value;
    int32_t row = f.listRow + 1;
    bool bound;
    {
        StopKept kept(document);
        bound = source->Seek(start, 0) == start && bind(document, source, row, header) == 0;
    }
    int64_t bytes = 0;
    for (FieldInstance* at = header->next; at; at = at->next) bytes += instanceSize(at);
    if (!bound || bytes != end - start) {
        releaseInstances(document, header, document->last);
        return nullptr;
    }
    header->extentLast = document->last;
    return header;
}

// Moves the instances from first to the document's last after predecessor (to the start: null).
void moveLastAfter(Document* document, FieldInstance* predecessor, FieldInstance* first) {
    FieldInstance* last = document->last;
    int64_t count = unlinkInstances(document, first, last);
    linkInstances(document, predecessor, first, last, count);
}

// The item bound at the document's end goes where it stands in the fold, which keeps the items
// before it; a new fold after it takes those after it.
bool placeItem(FieldInstance* instance, int64_t index, FieldInstance* header, int64_t start, int64_t end) {
    FoldValue& f = *fold(instance);
    Document* document = f.document;
    int64_t rowHeight = instance->height / foldRows(instance);
    for (FieldInstance* at = header; at; at = at->next) at->height = rowHeight;
    FieldInstance* itemLast = document->last;
    int64_t foldEnd = f.bytes.offset + f.bytes.length;
    if (index > 0 && index + 1 < f.items) {
        FoldValue* after = new (std::nothrow) FoldValue(f);
        if (!after) {
            releaseInstances(document, header, itemLast);
            return false;
        }
        ++f.plan->refs;
        after->bytes.offset = end;
        after->bytes.length = foldEnd - end;
        after->firstItem = f.firstItem + index + 1;
        after->items = f.items - index - 1;
        after->origin = f.origin + index + 1;
        after->originOffset = f.originOffset + (end - f.bytes.offset);
        FieldInstance* right = appendFold(document, after, instance->parent, instance->depth, rowHeight);
        if (!right) {
            releaseInstances(document, header, itemLast);
            return false;
        }
        moveLastAfter(document, instance, header);
        f.items = index;
        f.bytes.length = start - f.bytes.offset;
    } else if (index > 0) {
        moveLastAfter(document, instance, header);
        f.items = index;
        f.bytes.length = start - f.bytes.offset;
    } else {
        moveLastAfter(document, instance->previous, header);
        f.bytes.offset = end;
        f.bytes.length = foldEnd - end;
        f.firstItem += 1;
        f.items -= 1;
        f.origin += 1;
        f.originOffset += end - start;
    }
    instance->height = rowHeight * foldRows(instance);
    if (f.items == 0) {
        --document->folds;
        releaseInstances(document, instance, instance);
    }
    return true;
}

FieldInstance* unfoldItem(FieldInstance* instance, int64_t index, TIOStream* source, int64_t start) {
    FoldValue& f = *fold(instance);
    SkimReader reader(source);
    int64_t end = reader.ready() ? skimItem(*f.plan, reader, start, f.bytes.offset + f.bytes.length) : -1;
    FieldInstance* header =
        end >= 0 ? bindItemAtEnd(f.document, f, instance->parent, f.firstItem + index, source, start, end) : nullptr;
    if (!header || !placeItem(instance, index, header, start, end)) return nullptr;
    return header;
}

// The row `skip` rows after the item's header.
FieldInstance* rowOfItem(FieldInstance* header, int64_t skip) {
    while (skip-- > 0 && header) header = header->next;
    return header;
}

}  // namespace

FieldInstance* unfoldRow(FieldInstance* instance, int64_t row) {
    FoldValue& f = *fold(instance);
    if (row < 0 || row >= foldRows(instance)) return nullptr;
    int64_t failure;
    TIOStream* source = openUnchangedSource(f.document->source, &failure);
    if (!source) return nullptr;
    int64_t index = row / f.rowsPerItem;
    int64_t within = row % f.rowsPerItem;  // the fold may be gone once its last item is bound
    SkimReader reader(source);
    int64_t start = reader.ready() ? itemStart(f, reader, index) : -1;
    FieldInstance* header = start >= 0 ? unfoldItem(instance, index, source, start) : nullptr;
    delete source;
    return header ? rowOfItem(header, within) : nullptr;
}

FieldInstance* unfoldByte(FieldInstance* instance, int64_t offset) {
    FoldValue& f = *fold(instance);
    if (offset < 0 || offset >= f.bytes.length) return nullptr;
    int64_t failure;
    TIOStream* source = openUnchangedSource(f.document->source, &failure);
    if (!source) return nullptr;
    SkimReader reader(source);
    int64_t start = 0;
    int64_t index = reader.ready() ? itemHolding(f, reader, offset, &start) : -1;
    int64_t within = f.bytes.offset + offset - start;
    FieldInstance* header = index >= 0 ? unfoldItem(instance, index, source, start) : nullptr;
    delete source;
    if (!header) return nullptr;
    // The header takes no bytes; the row whose bytes reach past the byte holds it.
    FieldInstance* row = header->next;
    for (int64_t size = instanceSize(row); within >= size && row != header->extentLast; size = instanceSize(row)) {
        within -= size;
        row = row->next;
    }
    return row;
}

bool visitFoldedRows(const FieldInstance* instance, int64_t fromRow, int64_t place,
                     const std::function<bool(FieldInstance* row, int64_t offset)>& visit) {
    const FoldValue& f = *fold(instance);
    Document* document = f.document;
    if (!rowInfos(document)) return false;
    int64_t failure;
    TIOStream* source = openUnchangedSource(document->source, &failure);
    if (!source) return false;
    Document apart{document->templ, nullptr, nullptr, nullptr, nullptr, false, false};
    apart.rows = document->rows;
    SkimReader reader(source);
    int64_t index = fromRow / f.rowsPerItem;
    int64_t start = reader.ready() ? itemStart(f, reader, index) : -1;
    int64_t skip = fromRow % f.rowsPerItem;
    bool whole = start >= 0;
    bool going = true;
    int64_t foldEnd = f.bytes.offset + f.bytes.length;
    for (; whole && going && index < f.items; ++index) {
        int64_t end = skimItem(*f.plan, reader, start, foldEnd);
        FieldInstance* header = end >= 0 ? bindItemAtEnd(&apart, f, instance->parent, f.firstItem + index, source,
                                                         start, end)
                                         : nullptr;
        whole = header != nullptr;
        int64_t offset = place + (start - f.bytes.offset);
        for (FieldInstance* row = header; going && row; row = row->next) {
            if (skip > 0) {
                --skip;
            } else {
                going = visit(row, offset);
            }
            offset += instanceSize(row);
        }
        if (header) releaseInstances(&apart, header, apart.last);
        start = end;
    }
    apart.rows = nullptr;
    delete source;
    return whole;
}

namespace {

FoldValue& foldOf(FieldInstance* instance) {
    return *static_cast<FoldValue*>(instance->value);
}

bool isItemOf(const FieldInstance* instance, const FieldInstance* fold, int64_t number) {
    const FoldValue& f = *static_cast<const FoldValue*>(fold->value);
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
    FoldValue& f = foldOf(fold);
    for (FieldInstance* next = fold->next; next; next = fold->next) {
        if (isFoldInstance(next)) {
            if (foldOf(next).plan != f.plan || foldOf(next).firstItem != f.firstItem + f.items) return;
            f.items += foldOf(next).items;
            f.bytes.length += foldOf(next).bytes.length;
            fold->height += next->height;
            --document->folds;
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

// The fold takes in the shown items of its list just before it (but the first, whose header stands
// for the list).
void foldPreceding(Document* document, FieldInstance* fold) {
    FoldValue& f = foldOf(fold);
    // Items that fold hold only data rows, whose parent is their header.
    for (FieldInstance* before = fold->previous; before && f.firstItem >= 2; before = fold->previous) {
        FieldInstance* header = before->parent;
        if (!header || !isItemOf(header, fold, f.firstItem - 1) || itemEnd(header) != before) return;
        ShownItem item = shownItem(header);
        if (item.bytes < 0) return;
        --f.firstItem;
        ++f.items;
        --f.origin;
        f.originOffset -= item.bytes;
        f.bytes.offset -= item.bytes;
        f.bytes.length += item.bytes;
        fold->height += item.height;
        releaseInstances(document, header, item.last);
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
    bool ofList = after && isFoldInstance(after) && foldOf(after).listField == header->field &&
                  after->parent == header->parent;
    return ofList ? after : nullptr;
}

// A fold without items just before the header, of the list a later fold is of; null without memory.
FieldInstance* emptyFoldBefore(Document* document, FieldInstance* header, FieldInstance* later) {
    const FoldValue& model = foldOf(later);
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
    if (document->folds == 0 || canUndo(document) || canRedo(document)) return 0;
    int64_t before = document->instanceCount;
    if (keepFirst) markKept(keepFirst, keepLast, true);
    for (FieldInstance* at = document->first; at; at = at->next) {
        if (isFoldInstance(at)) foldFollowing(document, at);
    }
    for (FieldInstance* at = document->last; at; at = at->previous) {
        if (isFoldInstance(at)) foldPreceding(document, at);
    }
    foldLoneItems(document);
    if (keepFirst) markKept(keepFirst, keepLast, false);
    return before - document->instanceCount;
}
