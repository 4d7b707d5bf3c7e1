#include "document/fold_plan.h"

#include "document/instances.h"
#include "shell/streams.h"
#include "templates/template.h"

FoldPlan* makeFoldPlan(Document* document, int32_t listRow, int32_t endRow) {
    const RowInfo* infos = rowInfos(document);
    if (!infos || endRow <= listRow + 1) return nullptr;
    FoldPlan* plan = new (std::nothrow) FoldPlan;
    if (!plan) return nullptr;
    int64_t fixed = 0;
    int64_t skip = 0;
    for (int32_t row = listRow + 1; row < endRow; ++row) {
        const TemplateField* field = document->templ->fields[row];
        ByteShape shape;
        if (infos[row].kind.role != RowRole::Data ||
            !byteShapeOf(field->fieldType, fieldCodeOf(field->code), &shape)) {
            delete plan;
            return nullptr;
        }
        fixed += shape.fixed + shape.prefix;
        skip += shape.fixed;
        if (shape.prefix > 0) {
            plan->steps.push_back(SkimStep{skip, shape.prefix, shape.bigEndian});
            skip = 0;
        }
    }
    plan->tail = skip;
    // An item must take bytes, or a hostile count would fold without end.
    if (fixed == 0) {
        delete plan;
        return nullptr;
    }
    if (plan->steps.empty()) plan->itemBytes = fixed;
    return plan;
}

void releaseFoldPlan(FoldPlan* plan) {
    if (plan && --plan->refs == 0) delete plan;
}

const unsigned char* SkimReader::refill(int64_t offset, int count) {
    if (!block_ || stream_->Seek(offset, 0) != offset) return nullptr;
    int64_t got = stream_->Read(block_.get(), kBlock);
    start_ = offset;
    length_ = got > 0 ? got : 0;
    return count <= length_ ? block_.get() : nullptr;
}
