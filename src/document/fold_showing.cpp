// Binding folded items where they stand when a row or byte of theirs is shown, and apart from the
// document when their rows are only read.
#include <algorithm>
#include <cstring>
#include <new>

#include "document/binding.h"
#include "document/fold_plan.h"
#include "document/fold_value.h"
#include "document/folds.h"
#include "document/instances.h"
#include "document/rest.h"
#include "shell/streams.h"
#include "templates/template.h"

namespace {

// A fold's bytes held in memory, as at their place in the file: undo brought back a fold whose
// file a save replaced.
class HeldBytes : public TIOStream {
  public:
    explicit HeldBytes(const RestValue& bytes) : bytes_(bytes), at_(bytes.offset) {}
    int64_t Position() override { return at_; }
    int64_t Size() override { return bytes_.offset + bytes_.length; }
    int64_t Seek(int64_t offset, int origin) override {
        int64_t target = origin == 2 ? Size() + offset : origin == 1 ? at_ + offset : offset;
        if (target < bytes_.offset || target > Size()) return 0;
        return at_ = target;
    }
    int64_t Read(void* buffer, int64_t count) override {
        int64_t got = std::min(count, Size() - at_);
        if (got <= 0) return 0;
        std::memcpy(buffer, bytes_.held + (at_ - bytes_.offset), static_cast<size_t>(got));
        at_ += got;
        return got;
    }
    int64_t Write(const void*, int64_t) override { return 0; }
    uint32_t Capabilities() override { return 0x01 | 0x02 | 0x04 | 0x08; }  // as a file open for reading

  private:
    const RestValue& bytes_;
    int64_t at_;
};

// The stream the fold's items are read from: the file binding read while it is unchanged, or the
// bytes the fold holds; null when neither is there.
TIOStream* openFoldBytes(const FoldValue& f) {
    int64_t failure;
    if (f.bytes.held) return new (std::nothrow) HeldBytes(f.bytes);
    return openUnchangedSource(f.document->source, &failure);
}

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

// A copy of the bytes a fold holds from the offset `from` on; null for none, or without memory.
unsigned char* heldFrom(const RestValue& bytes, int64_t from) {
    int64_t length = bytes.offset + bytes.length - from;
    unsigned char* held = bytes.held && length > 0 ? new (std::nothrow) unsigned char[length] : nullptr;
    if (held) std::memcpy(held, bytes.held + (from - bytes.offset), static_cast<size_t>(length));
    return held;
}

// The item bound at the document's end goes where it stands in the fold, which keeps the items
// before it; a new fold after it takes those after it.
bool placeItem(FieldInstance* instance, int64_t index, FieldInstance* header, int64_t start, int64_t end) {
    FoldValue& f = foldValueOf(instance);
    Document* document = f.document;
    int64_t rowHeight = instance->height / foldRows(instance);
    for (FieldInstance* at = header; at; at = at->next) at->height = rowHeight;
    FieldInstance* itemLast = document->last;
    int64_t foldEnd = f.bytes.offset + f.bytes.length;
    if (index > 0 && index + 1 < f.items) {
        FoldValue* after = new (std::nothrow) FoldValue(f);
        if (after) after->bytes.held = heldFrom(f.bytes, end);
        if (!after || (f.bytes.held && !after->bytes.held)) {
            delete after;
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
        unsigned char* held = f.items > 1 ? heldFrom(f.bytes, end) : nullptr;
        if (f.bytes.held && f.items > 1 && !held) {
            releaseInstances(document, header, itemLast);
            return false;
        }
        if (f.items > 1) {
            delete[] f.bytes.held;
            f.bytes.held = held;
        }
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
        releaseInstances(document, instance, instance);
    }
    return true;
}

FieldInstance* unfoldItem(FieldInstance* instance, int64_t index, TIOStream* source, int64_t start) {
    FoldValue& f = foldValueOf(instance);
    SkimReader reader(source);
    int64_t end = skimItem(*f.plan, reader, start, f.bytes.offset + f.bytes.length);
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
    FoldValue& f = foldValueOf(instance);
    if (row < 0 || row >= foldRows(instance)) return nullptr;
    TIOStream* source = openFoldBytes(f);
    if (!source) return nullptr;
    int64_t index = row / f.rowsPerItem;
    int64_t within = row % f.rowsPerItem;  // the fold may be gone once its last item is bound
    SkimReader reader(source);
    int64_t start = itemStart(f, reader, index);
    FieldInstance* header = start >= 0 ? unfoldItem(instance, index, source, start) : nullptr;
    delete source;
    return header ? rowOfItem(header, within) : nullptr;
}

FieldInstance* unfoldByte(FieldInstance* instance, int64_t offset) {
    FoldValue& f = foldValueOf(instance);
    if (offset < 0 || offset >= f.bytes.length) return nullptr;
    TIOStream* source = openFoldBytes(f);
    if (!source) return nullptr;
    SkimReader reader(source);
    int64_t start = 0;
    int64_t index = itemHolding(f, reader, offset, &start);
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
    const FoldValue& f = foldValueOf(instance);
    Document* document = f.document;
    if (!rowInfos(document)) return false;
    TIOStream* source = openFoldBytes(f);
    if (!source) return false;
    Document apart{document->templ, nullptr, nullptr, nullptr, nullptr, false, false};
    apart.rows = document->rows;
    SkimReader reader(source);
    int64_t index = fromRow / f.rowsPerItem;
    int64_t start = itemStart(f, reader, index);
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
    for (FieldInstance* instance = document->first; instance && at < to;) {
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
