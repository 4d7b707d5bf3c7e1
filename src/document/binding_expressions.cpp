// What the expressions in captions read while binding, and the rows whose numbers, lengths and
// conditions they give.
#include <algorithm>
#include <cstring>
#include <new>

#include "document/binder.h"
#include "expressions/checksums.h"
#include "fieldtypes/check_value.h"
#include "fieldtypes/number_access.h"
#include "shell/memory_stream.h"

namespace binding {

namespace {

BindStop stopFor(expression::Failure failure) {
    switch (failure) {
        case expression::Failure::DivisionByZero:
            return BindStop::DivisionByZero;
        case expression::Failure::Overflow:
            return BindStop::Overflow;
        case expression::Failure::ShiftRange:
            return BindStop::ShiftRange;
        case expression::Failure::Unbound:
            return BindStop::UnboundName;
        case expression::Failure::Range:
            return BindStop::ChecksumRange;
        case expression::Failure::NotFound:
            return BindStop::NotFound;
        case expression::Failure::Outside:
            return BindStop::ReadOutside;
        default:
            return BindStop::NotANumber;
    }
}

bool isBitRow(const TemplateField* field) {
    return isCode(field->code, "BITS");
}

}  // namespace

bool Binder::startExpressions() {
    const Template* templ = document_->templ;
    if (!templ->hasParameters) return true;
    latest_ = new (std::nothrow) FieldInstance*[templ->fieldCount]();
    latestStart_ = new (std::nothrow) int64_t[templ->fieldCount]();
    return latest_ && latestStart_;
}

// An instance counts where the binder stands when it belongs to the top level or an item being
// bound: a row of an earlier item, or of a case not chosen here, does not.
bool Binder::isLive(const FieldInstance* instance) {
    for (int32_t i = levels_.count - 1; i >= 0; --i) {
        if (levels_[i].parent == instance->parent) return true;
    }
    return false;
}

// A plain name means the first of its row and that row's namesakes that was read where it stands.
const FieldInstance* Binder::named(int32_t row, int32_t list) {
    if (list < 0) {
        const FieldInstance* found = nullptr;
        for (int32_t r = row, steps = 0; r >= 0 && !found && steps < kMostNamesakes; r = fields_[r]->namesake, ++steps)
            found = namedInstance(r, -1);
        return found;
    }
    return namedInstance(row, list);
}

const FieldInstance* Binder::namedInstance(int32_t row, int32_t list) {
    const FieldInstance* instance = latest_[row];
    if (!instance) return nullptr;
    const FieldInstance* holder = list >= 0 ? instance->parent : instance;
    if (!holder || !isLive(holder)) return nullptr;
    return list < 0 || holder == latest_[list] || isItemBefore(holder, latest_[list]) ? instance : nullptr;
}

// Whether the header is of the item before the one being bound, whose header is current.
bool Binder::isItemBefore(const FieldInstance* header, const FieldInstance* current) {
    bool inside = false;
    for (int32_t i = 0; i < levels_.count && !inside; ++i) inside = levels_[i].parent == current;
    return inside && header->field == current->field && header->parent == current->parent &&
           numberOf(header) + 1 == numberOf(current);
}

expression::Failure Binder::number(int32_t row, int32_t list, int64_t* out) {
    const FieldInstance* instance = named(row, list);
    if (!instance) return expression::Failure::Unbound;
    if (isNumberRole(rowKindOf(instance->field->code).role) && instance->value) {
        *out = numberOf(instance);
        return expression::Failure::None;
    }
    return numberOfValue(instance, out) ? expression::Failure::None : expression::Failure::NotNumber;
}

int64_t Binder::property(expression::Op which) {
    switch (which) {
        case expression::Op::Offset:
            return rowStart_;
        case expression::Op::Index:
            return top().parent && isListOpener(top().parent) ? numberOf(top().parent) : 0;
        case expression::Op::Start:
            return spans_.count > top().spanBase ? spans_.top().start : top().itemStart;
        // A new document's data ends where its rows do.
        case expression::Op::End:
            return window_ ? window_->end() : made_;
        default:
            return window_ ? fileEnd_ : made_;
    }
}

expression::Failure Binder::bounds(expression::Op which, int32_t row, int32_t list, int64_t* out) {
    const FieldInstance* instance = named(row, list);
    if (!instance) return expression::Failure::Unbound;
    int64_t start = latestStart_[instance->field->index];
    *out = start + (which == expression::Op::EndOf ? instanceSize(const_cast<FieldInstance*>(instance)) : 0);
    return expression::Failure::None;
}

// Without a file there are no bytes to sum yet: a change reads the document back, which sums them.
expression::Failure Binder::checksum(expression::Op which, int64_t from, int64_t to, int64_t* out) {
    *out = 0;
    if (which == expression::Op::FindLast) return window_ ? findLast(from, to, out) : expression::Failure::NotFound;
    if (which == expression::Op::PeekLittle || which == expression::Op::PeekBig) return peek(which, from, to, out);
    if (!window_) return expression::Failure::None;
    if (from < 0 || from > to || to > fileEnd_) return expression::Failure::Range;
    RunningChecksum sum(which);
    unsigned char buffer[4096];
    for (int64_t at = from; at < to;) {
        int64_t got = window_->readAt(at, buffer, std::min<int64_t>(sizeof buffer, to - at));
        if (got <= 0) return expression::Failure::Range;
        sum.add(buffer, static_cast<size_t>(got));
        at += got;
    }
    *out = sum.value();
    return expression::Failure::None;
}

bool Binder::evaluate(int32_t row, int32_t which, int64_t* out) {
    const TemplateField* field = fields_[row];
    if (which >= field->parameterCount) {
        fail(kResultBadStructure, BindStop::NotANumber);
        return false;
    }
    expression::Failure failure = expression::evaluate(field->parameters[which], *this, out);
    if (failure == expression::Failure::None) return true;
    fail(kResultBadStructure, stopFor(failure));
    return false;
}

// The row a computed count names (plus a number), which insertions and deletions then keep up to
// date; null when the count is another expression or a derived number, which has no bytes to change.
FieldInstance* Binder::countNamed(int32_t row) {
    int32_t countRow;
    int64_t added;
    if (!expression::isNamePlusNumber(fields_[row]->parameters[0], &countRow, &added)) return nullptr;
    FieldInstance* count = const_cast<FieldInstance*>(named(countRow, -1));
    return count && rowKindOf(count->field->code).role != RowRole::Derived ? count : nullptr;
}

// A bit row shows bits of the integer before it (first bit, then how many, one by default); the
// integer is its list source, so that an edit of the bits goes to it.
int32_t Binder::bindDerived(int32_t row) {
    int64_t number;
    if (!evaluate(row, 0, &number)) return -1;
    FieldInstance* source = nullptr;
    if (isBitRow(fields_[row])) {
        int64_t count = 1;
        if (fields_[row]->parameterCount > 1 && !evaluate(row, 1, &count)) return -1;
        source = document_->last;
        while (source && isBitRow(source->field)) source = source->previous;
        int64_t whole;
        if (!source || !numberOfValue(source, &whole)) return fail(kResultBadStructure, BindStop::NoBitSource);
        if (number < 0 || count < 1 || number > 63 || count > 64 - number)
            return fail(kResultBadStructure, BindStop::ShiftRange);
        uint64_t mask = count == 64 ? UINT64_MAX : (uint64_t{1} << count) - 1;
        number = static_cast<int64_t>(static_cast<uint64_t>(whole) >> number & mask);
    }
    return appendWithNumber(fields_[row], top().parent, source, number) ? row + 1 : -1;
}

int32_t Binder::bindCondition(int32_t row, const RowInfo& info) {
    int64_t holds;
    if (!evaluate(row, 0, &holds)) return -1;
    if (holds) return row + 1;
    return info.partner >= 0 ? info.partner + 1 : document_->templ->fieldCount;
}

int32_t Binder::bindByteOrder(int32_t row, const RowInfo& info) {
    int64_t little;
    if (!evaluate(row, 0, &little)) return -1;
    if (!orders_.push(OrderSection{info.partner, little != 0})) return fail(kResultNoMemory, BindStop::OutOfMemory);
    return row + 1;
}

// Whether a list that ends on a condition ends after the item just bound, read while that item's
// rows still count.
bool Binder::listEnds(const Level& item, bool* ends) {
    int64_t holds;
    if (!evaluate(item.listRow, 0, &holds)) return false;
    *ends = holds != 0;
    return true;
}

// The bytes from here up to the first place the pattern stands, or to the end of the data; the
// window reads ahead and goes back.
bool Binder::patternLength(int32_t row, int64_t* length) {
    const TemplateField* field = fields_[row];
    unsigned char pattern[kMaxPattern];
    int32_t size = field->parameterCount;
    for (int32_t i = 0; i < size; ++i) {
        int64_t byte;
        if (!evaluate(row, i, &byte)) return false;
        if (byte < 0 || byte > 255) {
            fail(kResultBadStructure, BindStop::BadPattern);
            return false;
        }
        pattern[i] = static_cast<unsigned char>(byte);
    }
    *length = window_ ? window_->left() : 0;
    if (!window_) return true;
    int64_t start = window_->at();
    unsigned char buffer[4096 + kMaxPattern];
    int32_t kept = 0;  // bytes of the last chunk that may begin the pattern
    for (int64_t at = start; at < window_->end();) {
        // Never past the end, which would mark the read short.
        int64_t got = window_->Read(buffer + kept, std::min<int64_t>(4096, window_->end() - at));
        if (got <= 0) break;
        int32_t filled = kept + static_cast<int32_t>(got);
        for (int32_t i = 0; i + size <= filled; ++i) {
            if (std::memcmp(buffer + i, pattern, static_cast<size_t>(size)) == 0) {
                *length = at - kept + i - start;
                window_->Seek(start, 0);
                return true;
            }
        }
        kept = std::min(size - 1, filled);
        std::memmove(buffer, buffer + filled - kept, static_cast<size_t>(kept));
        at += got;
    }
    window_->Seek(start, 0);
    return true;
}

void Binder::noteAppended(TemplateField* field, FieldInstance* instance) {
    latest_[field->index] = instance;
    latestStart_[field->index] = rowStart_;
    if (orders_.count > 0)
        instance->flags |= kInstanceOrderChosen | (orders_.top().littleEndian ? kInstanceLittleEndian : 0);
}

// A field whose length its caption gives, or a check, which learns what it should be once read.
int32_t Binder::bindParameterData(int32_t row, FieldInstance* instance, void* value, const RowKind& kind) {
    int32_t next = kind.bounded ? bindBoundedData(row, instance, value) : readData(row, instance, value);
    if (next < 0 || !kind.check) return next;
    int64_t computed;
    if (!evaluate(row, fields_[row]->parameterCount - 1, &computed)) return -1;
    noteComputed(instance, computed);
    return next;
}

// Padding reaches the next multiple of its number from where its section began, or from the offset
// its second parameter gives (0: the file's start).
bool Binder::boundedLength(int32_t row, int64_t* length) {
    const char* code = fields_[row]->code;
    if (isCode(code, "UPTO")) return patternLength(row, length);
    if (!evaluate(row, 0, length)) return false;
    if (isCode(code, "PADN")) {
        int64_t multiple = *length;
        if (multiple <= 0) {
            fail(kResultBadStructure, BindStop::BadMultiple);
            return false;
        }
        int64_t origin = property(expression::Op::Start);
        if (fields_[row]->parameterCount > 1 && !evaluate(row, 1, &origin)) return false;
        int64_t into;
        if (__builtin_sub_overflow(rowStart_, origin, &into) || into == INT64_MIN) {
            fail(kResultBadStructure, BindStop::Overflow);
            return false;
        }
        if (into < 0) into = multiple - (-into % multiple);
        *length = (multiple - into % multiple) % multiple;
    }
    if (*length < 0) {
        fail(kResultBadStructure, BindStop::NegativeSize);
        return false;
    }
    if (window_ && *length > window_->left()) {
        failPastEnd();
        return false;
    }
    return true;
}

// The field reads its bytes with the data cut off after them; without a file they are zeros.
int32_t Binder::bindBoundedData(int32_t row, FieldInstance* instance, void* value) {
    int64_t length = 0;
    const FieldType* type = instance->field->fieldType;
    bool measured = boundedLength(row, &length);
    int64_t result = 0;
    if (measured && window_) {
        int64_t end = window_->end();
        window_->setEnd(window_->at() + length);
        result = type->procs.readValue(instance, value, window_, rowStart_);
        window_->setEnd(end);
        if (window_->takeShortMark()) result = kResultPastEnd;
    } else if (measured) {
        MemoryStream zeros(length);
        result = type->procs.readValue(instance, value, &zeros, 0);
        made_ += length;
    }
    if (measured && result >= 0) {
        // A length that is a row's number follows the field when an edit makes it longer.
        const char* code = fields_[row]->code;
        if (!isCode(code, "PADN") && !isCode(code, "UPTO") && !infos_[row].kind.check &&
            (instance->listSource = rowNamedBy(row, 0, false)))
            document_->hasBoundedRows = true;
        return row + 1;
    }
    if (type->procs.destroyValue) type->procs.destroyValue(instance, value);
    dropLastInstance(document_);
    restStart_ = rowStart_;
    if (!measured) return -1;  // failed with the length's own reason
    return fail(result, result == kResultNoMemory ? BindStop::OutOfMemory : BindStop::UnreadableField);
}

}  // namespace binding
