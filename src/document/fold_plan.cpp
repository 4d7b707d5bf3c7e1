#include "document/fold_plan.h"

#include "document/instances.h"
#include "expressions/expression.h"
#include "shell/streams.h"
#include "templates/template.h"

namespace {

bool readsRows(expression::Op op) {
    return op == expression::Op::Name || op == expression::Op::StartOf || op == expression::Op::EndOf;
}

// Whether an expression of a row outside the list may read the list or its items' rows: by name, by
// a path, through a name's earlier namesakes, or by where their bytes lie. Folded items are not
// there to read. Rows at offsets lay the file out by place, which folds do not take part in.
bool readFromOutside(const Template* templ, int32_t listRow, int32_t endRow) {
    auto inList = [&](int64_t row) { return row >= listRow && row <= endRow; };
    for (int32_t row = 0; row < templ->fieldCount; ++row) {
        const TemplateField* field = templ->fields[row];
        if (rowKindOf(field->code).role == RowRole::Placed) return true;
        if (inList(row)) continue;
        for (int32_t p = 0; p < field->parameterCount; ++p) {
            const expression::Expression& parameter = field->parameters[p];
            for (int32_t n = 0; n < parameter.count; ++n) {
                const expression::Node& node = parameter.nodes[n];
                if (!readsRows(node.op)) continue;
                if (node.third >= 0 && inList(node.third)) return true;
                for (int64_t named = node.value; named >= 0; named = templ->fields[named]->namesake) {
                    if (inList(named)) return true;
                }
            }
        }
    }
    return false;
}

}  // namespace

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
    // Last, as it reads every expression of the template, and most lists fail the rows' test.
    if (readFromOutside(document->templ, listRow, endRow)) {
        delete plan;
        return nullptr;
    }
    return plan;
}

void releaseFoldPlan(FoldPlan* plan) {
    if (plan && --plan->refs == 0) delete plan;
}

const unsigned char* SkimReader::refill(int64_t offset, int count) {
    // A short list reads a little; a long one soon reads in large blocks.
    if (capacity_ < kBlock) {
        capacity_ = capacity_ == 0 ? kFirstBlock : capacity_ * 2;
        block_.reset(new (std::nothrow) unsigned char[capacity_]);
    }
    if (!block_ || stream_->Seek(offset, 0) != offset) return nullptr;
    int64_t got = stream_->Read(block_.get(), capacity_);
    start_ = offset;
    length_ = got > 0 ? got : 0;
    return count <= length_ ? block_.get() : nullptr;
}
