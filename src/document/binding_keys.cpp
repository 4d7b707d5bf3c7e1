// Key sections: the key's value chooses which CASE binds its rows.
#include "document/binder.h"
#include "document/case_match.h"
#include "fieldtypes/key_value.h"

namespace binding {

int32_t Binder::openKeySection(int32_t row, const RowInfo& info) {
    // Without a key the section binds every row, as if KEYB, CASE and KEYE were not there.
    if (info.key < 0) return row + 1;
    int32_t endRow = info.partner >= 0 ? info.partner : document_->templ->fieldCount;
    if (!keys_.push(KeySection{row, endRow, nullptr})) return fail(kResultNoMemory, BindStop::OutOfMemory);
    return row + 1;
}

bool Binder::closesKeySection(const RowInfo& info) {
    if (keys_.count <= top().keyBase || keys_.top().row != info.section) return false;
    --keys_.count;
    return true;
}

// The first CASE row whose values name the key, or else the first default, binds its rows; the
// others are passed over.
int32_t Binder::bindCase(int32_t row, const RowInfo& info) {
    if (keys_.count <= top().keyBase || keys_.top().row != info.section || !keys_.top().key) return row + 1;
    KeySection section = keys_.top();
    const KeyValue* key = keyValueOf(section.key);
    if (!key) return row + 1;
    auto isCaseRow = [&](int32_t r) {
        return infos_[r].section == section.row && infos_[r].kind.role == RowRole::Case;
    };
    int32_t chosen = -1;
    int32_t fallback = -1;
    for (int32_t r = row; r < section.endRow && chosen < 0; ++r) {
        if (!isCaseRow(r)) continue;
        CaseMatch match = matchCase(fields_[r]->caption, key->bytes, key->width, isUpperCaseCode(key->code));
        if (match == CaseMatch::Value) chosen = r;
        if (match == CaseMatch::Default && fallback < 0) fallback = r;
    }
    if (chosen < 0) chosen = fallback;
    if (chosen < 0) return section.endRow;
    int32_t caseEnd = chosen + 1;
    while (caseEnd < section.endRow && !isCaseRow(caseEnd)) ++caseEnd;

    FieldInstance* size = takePendingSize();
    FieldInstance* label = append(fields_[chosen], top().parent, nullptr, size);
    if (!label) return -1;
    label->depth = fields_[section.row]->depth;
    Span span{label, caseEnd, section.endRow, label->depth + 1, top().parent, size && window_, 0, 0};
    if (size) document_->hasBoundedRows = true;
    if (span.bounded) {
        span.outerEnd = window_->end();
        if (!bound(numberOf(size), &span.end)) return -1;
        window_->setEnd(span.end);
    }
    if (!spans_.push(span)) return fail(kResultNoMemory, BindStop::OutOfMemory);
    return chosen + 1;
}

}  // namespace binding
