#include "document/folds.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <new>

#include "document/fold_plan.h"
#include "document/fold_value.h"
#include "document/instances.h"
#include "fieldtypes/value_drawing.h"
#include "shell/drawing_resources.h"
#include "shell/streams.h"
#include "templates/template.h"

namespace {

struct FoldSlots {
    static void destroyValue(FieldInstance*, void* value) {
        FoldValue* folded = static_cast<FoldValue*>(value);
        releaseFoldPlan(folded->plan);
        delete[] folded->bytes.held;
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

}  // namespace
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
    return instance;
}


bool isFoldInstance(const FieldInstance* instance) {
    return instance->field == &foldField;
}

int64_t foldRows(const FieldInstance* instance) {
    return foldValueOf(instance).items * foldValueOf(instance).rowsPerItem;
}

int64_t documentRows(const Document* document) {
    int64_t rows = 0;
    for (FieldInstance* at = document->first; at; at = at->next) rows += isFoldInstance(at) ? foldRows(at) : 1;
    return rows;
}

int64_t foldCount(const Document* document) {
    int64_t folds = 0;
    for (FieldInstance* at = document->first; at; at = at->next) folds += isFoldInstance(at);
    return folds;
}

int64_t foldItems(const FieldInstance* instance) {
    return foldValueOf(instance).items;
}

int64_t foldFirstItem(const FieldInstance* instance) {
    return foldValueOf(instance).firstItem;
}

void setFoldFirstItem(FieldInstance* instance, int64_t number) {
    foldValueOf(instance).firstItem = number;
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
    while (plan->itemBytes < 0 && items < request.items) {
        if (items % kMarkEvery == 0) plan->marks.push_back(at);
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

void moveLastAfter(Document* document, FieldInstance* predecessor, FieldInstance* first) {
    FieldInstance* last = document->last;
    int64_t count = unlinkInstances(document, first, last);
    linkInstances(document, predecessor, first, last, count);
}
