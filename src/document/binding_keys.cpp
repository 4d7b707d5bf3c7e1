// Key sections: the key's value chooses which CASE binds its rows.
#include <cstring>
#include <initializer_list>

#include "document/binder.h"
#include "document/case_match.h"
#include "fieldtypes/byte_order.h"
#include "fieldtypes/key_value.h"

namespace binding {

namespace {

// The fewest bytes, of 1, 2, 4 and 8, that hold the number as a signed or an unsigned one.
uint8_t widthOf(int64_t number) {
    for (uint8_t width : {1, 2, 4}) {
        int bits = width * 8;
        if (number >= -(int64_t{1} << (bits - 1)) && number < (int64_t{1} << bits)) return width;
    }
    return 8;
}

}  // namespace

int32_t Binder::openKeySection(int32_t row, const RowInfo& info) {
    KeySection section{row, info.partner >= 0 ? info.partner : document_->templ->fieldCount, false, true, nullptr, 0, {0}};
    if (info.kind.computed) {
        int64_t key;
        if (!evaluate(row, 0, &key)) return -1;
        section.known = true;
        section.width = widthOf(key);
        byteorder::toBytes(static_cast<uint64_t>(key), section.bytes, section.width, true);
    } else if (info.key < 0) {
        // Without a key the section binds every row, as if KEYB, CASE and KEYE were not there.
        return row + 1;
    }
    if (!keys_.push(section)) return fail(kResultNoMemory, BindStop::OutOfMemory);
    return row + 1;
}

bool Binder::keyFromRow(FieldInstance* instance) {
    const KeyValue* key = keyValueOf(instance);
    if (!key) return false;
    KeySection& section = keys_.top();
    section.keyRow = instance;
    section.known = true;
    section.width = key->width;
    section.bigEndian = isUpperCaseCode(key->code);
    std::memcpy(section.bytes, key->bytes, key->width);
    return true;
}

void Binder::closeKeySection(const RowInfo& info) {
    if (keys_.count > top().keyBase && keys_.top().row == info.section) --keys_.count;
}

// The case the caller chose, its key taking the case's first value; or the first CASE row whose
// values name the key, or else the first default. -1 for none.
int32_t Binder::chooseCase(KeySection& section, int32_t row) {
    if (chosenCase_ >= 0 && infos_[chosenCase_].section == section.row) {
        int32_t chosen = chosenCase_;
        chosenCase_ = -1;
        const KeyValue* key = section.keyRow ? keyValueOf(section.keyRow) : nullptr;
        if (key && caseKeyBytes(fields_[chosen]->caption, key->width, section.bigEndian, section.bytes))
            std::memcpy(const_cast<KeyValue*>(key)->bytes, section.bytes, key->width);
        return chosen;
    }
    int32_t fallback = -1;
    for (int32_t r = row; r < section.endRow; ++r) {
        if (infos_[r].section != section.row || infos_[r].kind.role != RowRole::Case) continue;
        CaseMatch match = matchCase(fields_[r]->caption, section.bytes, section.width, section.bigEndian);
        if (match == CaseMatch::Value) return r;
        if (match == CaseMatch::Default && fallback < 0) fallback = r;
    }
    return fallback;
}

// The chosen case binds its rows; the others are passed over.
int32_t Binder::bindCase(int32_t row, const RowInfo& info) {
    if (keys_.count <= top().keyBase || keys_.top().row != info.section || !keys_.top().known) return row + 1;
    KeySection& section = keys_.top();
    auto isCaseRow = [&](int32_t r) {
        return infos_[r].section == section.row && infos_[r].kind.role == RowRole::Case;
    };
    int32_t chosen = chooseCase(section, row);
    if (chosen < 0) return section.endRow;
    int32_t caseEnd = chosen + 1;
    while (caseEnd < section.endRow && !isCaseRow(caseEnd)) ++caseEnd;

    FieldInstance* size = takePendingSize();
    FieldInstance* label = append(fields_[chosen], top().parent, nullptr, size);
    if (!label) return -1;
    label->depth = fields_[section.row]->depth;
    Span span{label, caseEnd, section.endRow, label->depth + 1, top().parent, size && window_, 0, 0, position()};
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
