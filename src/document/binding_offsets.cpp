// Rows at an offset: an ATOF row's rows are read at the place its expression gives, anywhere in the
// file, and binding then goes on where it stood.
#include <algorithm>
#include <cstring>
#include <new>

#include "document/binder.h"
#include "fieldtypes/number_access.h"

namespace binding {

// The row an expression names, plus a number (or, for an offset, plus a base that reads no row's
// number): the instance it read, whose number a change that moves or resizes bytes can set. Null for
// any other expression.
FieldInstance* Binder::rowNamedBy(int32_t row, int32_t which, bool plusBase) {
    int32_t named, list = -1;
    int64_t added;
    if (which >= fields_[row]->parameterCount) return nullptr;
    const expression::Expression& e = fields_[row]->parameters[which];
    int32_t at = e.count - 1;
    // Of a choice, the branch taken: a chain's first link or the one before (`@index ? Link.Next : First`).
    while (plusBase && e.nodes[at].op == expression::Op::Choose) {
        int64_t holds;
        if (expression::evaluate(expression::Expression{e.nodes, e.nodes[at].left + 1}, *this, &holds) !=
            expression::Failure::None)
            return nullptr;
        at = holds ? e.nodes[at].right : e.nodes[at].third;
    }
    if (!(plusBase ? expression::isNamePlusBase(e, at, &named, &list) : expression::isNamePlusNumber(e, &named, &added)))
        return nullptr;
    FieldInstance* instance = const_cast<FieldInstance*>(this->named(named, list));
    if (!instance || !instance->value) return nullptr;
    RowRole role = rowKindOf(instance->field->code).role;
    bool settable = role == RowRole::Count || role == RowRole::Size || role == RowRole::Length ||
                    (role == RowRole::Data && numberAccessOf(instance) && numberAccessOf(instance)->set);
    return settable ? instance : nullptr;
}

// An item of a list ended by a condition that goes where an earlier item of its list went, or a
// region that holds itself, would be read for ever.
bool Binder::leadsBack(int32_t row, int64_t target) {
    for (int32_t i = spans_.count - 1; i >= 0; --i) {
        const Span& span = spans_[i];
        if (span.placed && span.opener->field->index == row && numberOf(span.opener) == target) return true;
    }
    const Level& level = top();
    if (levels_.count < 2 || level.bound != 'U') return false;
    return !visited_.insert(Visit{level.firstHeader, row, target}).second;
}

int32_t Binder::bindPlaced(int32_t row, const RowInfo& info) {
    if (!window_) return fail(kResultBadStructure, BindStop::OffsetWithoutFile);
    if (info.partner < 0) return fail(kResultBadStructure, BindStop::MisplacedEnd);
    int64_t target;
    if (!evaluate(row, 0, &target)) return -1;
    if (target < 0 || target > fileEnd_) return fail(kResultBadStructure, BindStop::OffsetPastEnd);
    bool sized = fields_[row]->parameterCount > 1;
    int64_t size = 0;
    if (sized && !evaluate(row, 1, &size)) return -1;
    if (sized && size < 0) return fail(kResultBadStructure, BindStop::NegativeSize);
    if (sized && size > fileEnd_ - target) return fail(kResultBadStructure, BindStop::SectionPastEnd);
    try {
        if (leadsBack(row, target)) return fail(kResultBadStructure, BindStop::OffsetCycle);
    } catch (const std::bad_alloc&) {
        return fail(kResultNoMemory, BindStop::OutOfMemory);
    }
    FieldInstance* opener = appendWithNumber(fields_[row], top().parent, rowNamedBy(row, 0, true), target);
    if (!opener) return -1;
    opener->partner = sized ? rowNamedBy(row, 1, false) : nullptr;
    if (opener->partner) document_->hasBoundedRows = true;
    document_->placed = true;
    top().placedInItem = true;
    Span span{opener, info.partner, info.partner + 1, fields_[row]->depth + 1, opener, sized, sized ? target + size : 0,
              window_->end(), target};
    span.placed = true;
    span.resumeAt = window_->at();
    if (!spans_.push(span)) return fail(kResultNoMemory, BindStop::OutOfMemory);
    // The end first: a region may lie past the end of the data around it.
    window_->setEnd(sized ? target + size : fileEnd_);
    window_->Seek(target, 0);
    return row + 1;
}

expression::Failure Binder::findLast(int64_t pattern, int64_t width, int64_t* out) {
    if (width < 1 || width > 8) return expression::Failure::Range;
    unsigned char wanted[8];
    for (int64_t i = 0; i < width; ++i) wanted[i] = static_cast<unsigned char>(pattern >> (8 * (width - 1 - i)));
    constexpr int64_t kChunk = 4096;
    unsigned char buffer[kChunk + 8];
    // Chunks from the end, each with the first bytes of the one after it, for a match across both.
    int64_t kept = 0;
    for (int64_t end = fileEnd_; end > 0;) {
        int64_t from = end > kChunk ? end - kChunk : 0;
        std::memmove(buffer + (end - from), buffer, static_cast<size_t>(kept));
        if (window_->readAt(from, buffer, end - from) != end - from) return expression::Failure::Range;
        int64_t filled = end - from + kept;
        for (int64_t i = filled - width; i >= 0; --i) {
            if (std::memcmp(buffer + i, wanted, static_cast<size_t>(width)) == 0) {
                *out = from + i;
                return expression::Failure::None;
            }
        }
        kept = std::min<int64_t>(width - 1, end - from);
        end = from;
    }
    return expression::Failure::NotFound;
}

// A number anywhere in the file, read ahead or back; without a file its bytes are zeros.
expression::Failure Binder::peek(expression::Op order, int64_t at, int64_t width, int64_t* out) {
    *out = 0;
    if (width < 1 || width > 8) return expression::Failure::Range;
    if (!window_) return expression::Failure::None;
    unsigned char bytes[8];
    if (at < 0 || at > fileEnd_ - width || window_->readAt(at, bytes, width) != width)
        return expression::Failure::Outside;
    uint64_t number = 0;
    for (int64_t i = 0; i < width; ++i) {
        int64_t shift = order == expression::Op::PeekBig ? 8 * (width - 1 - i) : 8 * i;
        number |= static_cast<uint64_t>(bytes[i]) << shift;
    }
    *out = static_cast<int64_t>(number);
    return expression::Failure::None;
}

}  // namespace binding
