// Lists: counted by a count, bounded by a size or by the end of their data, or ended by an item
// of zeros. Each item is a level of its own.
#include "document/binder.h"
#include "document/fold_value.h"

namespace binding {

int32_t Binder::bindCountedList(int32_t row, const RowInfo& info) {
    if (info.kind.computed) {
        int64_t items;
        if (!evaluate(row, 0, &items)) return -1;
        if (info.partner < 0) return fail(kResultBadStructure, BindStop::ListWithoutEnd);
        FieldInstance* header = appendWithNumber(fields_[row], top().parent, countNamed(row), 0);
        return header ? startItems(row, info, header, items) : -1;
    }
    Level& level = top();
    if (level.countHead >= counts_.count) return fail(kResultBadStructure, BindStop::MissingCount);
    FieldInstance* count = counts_.entries[level.countHead++];
    if (info.partner < 0) return fail(kResultBadStructure, BindStop::ListWithoutEnd);
    FieldInstance* header = appendWithNumber(fields_[row], level.parent, count, 0);
    if (!header) return -1;
    int64_t items = numberOf(count);
    if (rowKindOf(count->field->code).zeroBased && items < INT64_MAX) ++items;
    return startItems(row, info, header, items);
}

// Lists bounded by a size, by the end of their data, or by an item of zeros.
int32_t Binder::bindDataList(int32_t row, const RowInfo& info) {
    char kind = info.kind.list;
    FieldInstance* size = nullptr;
    int64_t bytes = 0;
    bool computedSize = kind == 'S' && info.kind.computed;
    if (computedSize && !evaluate(row, 0, &bytes)) return -1;
    if (kind == 'S' && !computedSize && !(size = takePendingSize()))
        return fail(kResultBadStructure, BindStop::MissingSize);
    if (info.partner < 0) return fail(kResultBadStructure, BindStop::ListWithoutEnd);
    if (size) document_->hasBoundedRows = true;
    if (kind == 'Z') document_->hasDataLists = true;
    int64_t end = window_ ? window_->end() : 0;
    if (size) bytes = numberOf(size);
    if (window_ && kind == 'S' && !bound(bytes, &end)) return -1;
    FieldInstance* header = appendWithNumber(fields_[row], top().parent, size, 0);
    if (!header) return -1;
    // Without a file only a list ended by an item of zeros, or by a condition, has an item: one.
    bool hasItems = kind == 'B' || kind == 'U' || (window_ && window_->at() < end);
    int32_t next = startItems(row, info, header, hasItems ? 1 : 0);
    if (next < 0 || !hasItems || !window_) return next;
    Level& item = top();
    item.bound = kind;
    item.items = -1;
    item.outerEnd = window_->end();
    item.listEnd = end;
    if (kind == 'B') {
        item.outerNonZero = window_->takeNonZeroMark();
    } else {
        window_->setEnd(end);
    }
    return next;
}

// The first header is made; the list's items follow in a level of their own, or the list ends.
int32_t Binder::startItems(int32_t row, const RowInfo& info, FieldInstance* header, int64_t items) {
    FieldInstance* parent = top().parent;
    if (items <= 0) {
        FieldInstance* end = append(fields_[info.partner], parent, header, header->listSource);
        if (!end) return -1;
        header->partner = end;
        return info.partner + 1;
    }
    if (!pushLevel(header)) return fail(kResultNoMemory, BindStop::OutOfMemory);
    Level& item = top();
    item.listRow = row;
    item.endRow = info.partner;
    item.bound = 'C';
    item.firstHeader = header;
    item.listSource = header->listSource;
    item.items = items;
    item.itemStart = position();
    return row + 1;
}

// Items are folded only where binding one needs nothing but its bytes: in a file, with no
// expression to choose their byte order, and no item of zeros around it to end. Lists that end on a
// condition read each item's rows.
bool Binder::canFold() {
    if (!window_ || !document_->source || orders_.count > 0 || top().bound == 'U') return false;
    for (int32_t i = 1; i < levels_.count; ++i) {
        if (levels_[i].bound == 'B') return false;
    }
    return true;
}

// The level of a list item is done: the next item starts, or the list ends.
int32_t Binder::finishItem() {
    Level& item = top();
    counts_.count = item.countBase;
    sizes_.count = item.sizeBase;
    spans_.count = item.spanBase;
    keys_.count = item.keyBase;
    orders_.count = item.orderBase;
    bool another = false;
    if (item.bound == 'C') {
        another = ++item.item < item.items;
    } else if (window_) {
        int64_t at = window_->at();
        // Items of a list ended by a condition may only point elsewhere, as a chain of offsets does.
        if (at == item.itemStart && !(item.bound == 'U' && item.placedInItem)) return fail(kResultBadStructure, BindStop::EmptyItem);
        if (item.bound == 'B') {
            another = window_->takeNonZeroMark();
            item.listNonZero = item.listNonZero || another;
        } else if (item.bound == 'U') {
            bool ends;
            if (!listEnds(item, &ends)) return -1;
            another = !ends && (at < window_->end() || item.placedInItem);
        } else {
            another = at < window_->end();
        }
        ++item.item;
    }
    item.parent->extentLast = document_->last;
    FieldInstance* outerParent = levels_[levels_.count - 2].parent;
    // A list to the end of its data folds when it turns out to have items enough.
    bool counted = item.bound == 'C';
    if (another && item.item == 1 && (counted ? item.items > document_->foldAbove : item.bound != 'B') && canFold()) {
        int64_t folded = foldItemsOfList(FoldRequest{document_, item.listRow, item.endRow, outerParent,
                                                     item.parent->depth, item.listSource, 1,
                                                     counted ? item.items - 1 : INT64_MAX, counted ? 1 : document_->foldAbove,
                                                     window_, window_->at(), window_->end(), item.parent->height});
        if (folded < 0) return fail(kResultNoMemory, BindStop::OutOfMemory);
        window_->takeShortMark();  // reading ahead for the items' lengths is no field's short read
        item.item += folded;
        another = counted ? item.item < item.items : window_->at() < window_->end();
    }
    if (another) {
        FieldInstance* header =
            appendWithNumber(fields_[item.listRow], outerParent, item.listSource, item.item);
        if (!header) return -1;
        item.parent = header;
        item.countHead = item.countBase;
        item.sizeHead = item.sizeBase;
        item.itemStart = position();
        item.placedInItem = false;
        return item.listRow + 1;
    }
    if (window_ && item.bound != 'C') {
        window_->setEnd(item.outerEnd);
        if (item.bound == 'B') window_->addNonZeroMark(item.outerNonZero || item.listNonZero);
    }
    FieldInstance* end = append(fields_[item.endRow], outerParent, item.firstHeader, item.listSource);
    if (!end) return -1;
    item.firstHeader->partner = end;
    --levels_.count;
    return item.endRow + 1;
}

}  // namespace binding
