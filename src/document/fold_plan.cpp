#include "document/fold_plan.h"

#include <cstring>

#include "document/instances.h"
#include "fieldtypes/byte_order.h"
#include "shell/streams.h"
#include "templates/template.h"

FoldPlan* makeFoldPlan(Document* document, int32_t listRow, int32_t endRow) {
    const RowInfo* infos = rowInfos(document);
    if (!infos || endRow <= listRow + 1) return nullptr;
    FoldPlan* plan = new (std::nothrow) FoldPlan;
    if (!plan) return nullptr;
    int64_t fixed = 0;
    bool sameSize = true;
    for (int32_t row = listRow + 1; row < endRow; ++row) {
        const TemplateField* field = document->templ->fields[row];
        ByteShape shape;
        if (infos[row].kind.role != RowRole::Data ||
            !byteShapeOf(field->fieldType, fieldCodeOf(field->code), &shape)) {
            delete plan;
            return nullptr;
        }
        plan->shapes.push_back(shape);
        fixed += shape.fixed + shape.prefix;
        sameSize = sameSize && shape.prefix == 0;
    }
    // An item must take bytes, or a hostile count would fold without end.
    if (fixed == 0) {
        delete plan;
        return nullptr;
    }
    if (sameSize) plan->itemBytes = fixed;
    return plan;
}

void releaseFoldPlan(FoldPlan* plan) {
    if (plan && --plan->refs == 0) delete plan;
}

bool SkimReader::read(int64_t offset, int count, unsigned char* bytes) {
    if (offset < start_ || offset + count > start_ + length_) {
        if (stream_->Seek(offset, 0) != offset) return false;
        int64_t got = stream_->Read(block_.get(), kBlock);
        start_ = offset;
        length_ = got > 0 ? got : 0;
        if (count > length_) return false;
    }
    std::memcpy(bytes, block_.get() + (offset - start_), static_cast<size_t>(count));
    return true;
}

int64_t skimItem(const FoldPlan& plan, SkimReader& reader, int64_t at, int64_t end) {
    if (plan.itemBytes >= 0) return end - at >= plan.itemBytes ? at + plan.itemBytes : -1;
    for (const ByteShape& shape : plan.shapes) {
        if (end - at < shape.fixed + shape.prefix) return -1;
        at += shape.fixed;
        if (shape.prefix == 0) continue;
        unsigned char prefix[8];
        if (!reader.read(at, shape.prefix, prefix)) return -1;
        uint64_t length = byteorder::fromBytes(prefix, shape.prefix, shape.bigEndian);
        at += shape.prefix;
        if (length > static_cast<uint64_t>(end - at)) return -1;
        at += static_cast<int64_t>(length);
    }
    return at;
}
