#include "document/sizes.h"

#include <new>

#include "document/instances.h"
#include "document/record_stack.h"
#include "templates/template.h"

struct UnclosedSize {
    FieldInstance* opener;
    FieldInstance* size;
    int64_t bytesAfter;
};

struct Unclosed {
    RecordStack<UnclosedSize> sizes;
};

namespace {

// A section being walked: from start to its last instance, or, when binding never closed it, to
// the end of the document less bytesAfter.
struct Open {
    FieldInstance* size;  // null when it bounds nothing
    const FieldInstance* last;
    int64_t start;
    int64_t bytesAfter;
    bool holdsData;  // a list to the end of its data inside runs to this section's end
    bool dataTaken;  // such a list ended here, so no byte may follow it
    int32_t
        dataSection;  // the innermost open section that holds data, this one or one around it; -1 for none
};

struct Update {
    FieldInstance* size;
    int64_t bytes;
};

const UnclosedSize* unclosedOf(const Document* document, const FieldInstance* opener) {
    if (!document->unclosed) return nullptr;
    RecordStack<UnclosedSize>& sizes = document->unclosed->sizes;
    for (int32_t i = 0; i < sizes.count; ++i) {
        if (sizes[i].opener == opener) return &sizes[i];
    }
    return nullptr;
}

// The section an instance opens: a closed size's, a chosen case's, or a list bounded by a size.
bool opensSection(const Document* document, FieldInstance* instance, Open* open) {
    RowKind kind = rowKindOf(instance->field->code);
    *open = Open{nullptr, instance->extentLast, 0, -1, false, false, -1};
    if (kind.role == RowRole::Size && instance->field->partner) {
        // A computed size bounds its rows but has no number in the file to follow them.
        open->size = kind.computed ? nullptr : instance;
    } else if (kind.role == RowRole::Case) {
        open->size = instance->listSource;
    } else if (kind.list == 'S' && *static_cast<int64_t*>(instance->value) == 0) {
        open->size = instance->listSource;
        open->last = instance->partner;
    } else {
        return false;
    }
    open->holdsData = open->size != nullptr || kind.computed;
    if (!open->last) {
        const UnclosedSize* unclosed = unclosedOf(document, instance);
        if (!unclosed) open->size = nullptr;  // nothing tells where it would end
        open->bytesAfter = unclosed ? unclosed->bytesAfter : -1;
    }
    return true;
}

bool endsDataList(const FieldInstance* instance) {
    const FieldInstance* firstHeader = instance->partner;
    return rowKindOf(instance->field->code).role == RowRole::ListEnd && firstHeader &&
           rowKindOf(firstHeader->field->code).list == 'Z';
}

}  // namespace

bool updateSizes(Document* document, FieldInstance** failed) {
    if (failed) *failed = nullptr;
    if (!document->hasBoundedRows && !document->hasDataLists) return true;
    RecordStack<Open> open;
    RecordStack<Update> updates;
    bool fileTaken = false;
    // Of the data a list to the end of its data runs to: the innermost section that holds data, or the file.
    auto dataTaken = [&]() -> bool& {
        int32_t holder = open.count > 0 ? open.top().dataSection : -1;
        return holder < 0 ? fileTaken : open[holder].dataTaken;
    };
    int64_t at = 0;
    for (FieldInstance* instance = document->first; instance; instance = instance->next) {
        int64_t size = instanceSize(instance);
        // The bytes after the last row belong to no section.
        if (instance == document->restOfFile) {
            at += size;
            continue;
        }
        if (size > 0 && dataTaken()) return false;
        at += size;
        Open section;
        if (opensSection(document, instance, &section)) {
            section.start = at;
            section.dataSection = section.holdsData ? open.count
                                  : open.count > 0  ? open.top().dataSection
                                                    : -1;
            if (!open.push(section)) return false;
        }
        if (endsDataList(instance)) dataTaken() = true;
        while (open.count > 0 && open.top().last == instance) {
            if (open.top().size && !updates.push(Update{open.top().size, at - open.top().start}))
                return false;
            --open.count;
        }
    }
    for (int32_t i = 0; i < open.count; ++i) {
        if (open[i].size && !updates.push(Update{open[i].size, at - open[i].start - open[i].bytesAfter}))
            return false;
    }
    for (int32_t i = 0; i < updates.count; ++i) {
        int64_t bytes = updates[i].bytes;
        if (bytes < 0 || bytes > largestCount(rowKindOf(updates[i].size->field->code))) {
            if (failed) *failed = updates[i].size;
            return false;
        }
    }
    for (int32_t i = 0; i < updates.count; ++i)
        *static_cast<int64_t*>(updates[i].size->value) = updates[i].bytes;
    return true;
}

bool noteUnclosed(Document* document, FieldInstance* opener, FieldInstance* size, int64_t bytesAfter) {
    if (!size) return true;
    if (!document->unclosed) document->unclosed = new (std::nothrow) Unclosed;
    return document->unclosed && document->unclosed->sizes.push(UnclosedSize{opener, size, bytesAfter});
}

void destroyUnclosed(Document* document) {
    delete document->unclosed;
    document->unclosed = nullptr;
}
