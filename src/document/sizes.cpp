#include "document/sizes.h"

#include "document/instances.h"
#include "document/record_stack.h"
#include "document/rest.h"
#include "templates/template.h"

namespace {

// Rows bound by a size number from start on: up to the next row no deeper than depth, or, for a
// list bounded by a size, up to its end row.
struct OpenSpan {
    FieldInstance* size;
    FieldInstance* listEnd;
    int32_t depth;
    int64_t start;
};

struct Update {
    FieldInstance* size;
    int64_t bytes;
};

// The size number that bounds the rows after this instance, if any.
FieldInstance* boundingSize(FieldInstance* instance, FieldInstance** listEnd) {
    RowKind kind = rowKindOf(instance->field->code);
    *listEnd = nullptr;
    if (kind.role == RowRole::Size && instance->field->partner) return instance;
    if (kind.role == RowRole::Case) return instance->listSource;
    if (kind.list == 'S' && instance->partner) {
        *listEnd = instance->partner;  // only the first header has one
        return instance->listSource;
    }
    return nullptr;
}

}  // namespace

bool updateSizes(Document* document) {
    RecordStack<OpenSpan> open;
    RecordStack<Update> updates;
    bool stopped = document->stopReason != BindStop::None;
    auto close = [&](int64_t at) {
        OpenSpan span = open.top();
        --open.count;
        return updates.push(Update{span.size, at - span.start});
    };
    int64_t at = 0;
    for (FieldInstance* instance = document->first; instance; instance = instance->next) {
        // The bytes after the point where binding stopped belong to no span.
        if (stopped && !instance->next && isRestInstance(instance)) {
            open.count = 0;
            break;
        }
        while (open.count > 0 && !open.top().listEnd && instance->depth <= open.top().depth) {
            if (!close(at)) return false;
        }
        if (open.count > 0 && open.top().listEnd == instance && !close(at)) return false;
        at += instanceSize(instance);
        FieldInstance* listEnd;
        FieldInstance* size = boundingSize(instance, &listEnd);
        if (size && !open.push(OpenSpan{size, listEnd, instance->depth, at})) return false;
    }
    while (open.count > 0 && !stopped) {
        if (open.top().listEnd) break;  // a list without its end row
        if (!close(at)) return false;
    }
    for (int32_t i = 0; i < updates.count; ++i) {
        if (updates[i].bytes > largestCount(rowKindOf(updates[i].size->field->code))) return false;
    }
    for (int32_t i = 0; i < updates.count; ++i)
        *static_cast<int64_t*>(updates[i].size->value) = updates[i].bytes;
    return true;
}
