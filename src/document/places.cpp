#include "document/places.h"

#include <algorithm>
#include <new>
#include <vector>

#include "document/instances.h"
#include "document/rest.h"
#include "document/row_kind.h"
#include "shell/streams.h"
#include "templates/template.h"

bool isPlacedOpener(const FieldInstance* instance) {
    return rowKindOf(instance->field->code).role == RowRole::Placed;
}

int64_t restPlace(const FieldInstance* instance) {
    return isRestInstance(instance) ? static_cast<const RestValue*>(instance->value)->place : -1;
}

int64_t Placer::enter(const FieldInstance* instance) {
    int64_t begins = at_;
    if (!placed_) {
        at_ += instanceSize(const_cast<FieldInstance*>(instance));
        return begins;
    }
    if (isPlacedOpener(instance)) {
        begins = *static_cast<const int64_t*>(instance->value);
        failed_ = failed_ || !regions_.push(Region{instance->extentLast, at_});
        at_ = begins;
        return begins;
    }
    int64_t place = restPlace(instance);
    if (place >= 0) begins = place;
    at_ = begins + instanceSize(const_cast<FieldInstance*>(instance));
    return begins;
}

bool Placer::leave(const FieldInstance* instance) {
    if (regions_.count == 0 || regions_.top().last != instance) return false;
    at_ = regions_.top().resumeAt;
    --regions_.count;
    return true;
}

int64_t placeOf(const Document* document, const FieldInstance* instance) {
    Placer placer(document->placed);
    for (const FieldInstance* at = document->first; at; at = at->next) {
        int64_t begins = placer.place(at);
        if (at == instance) return begins;
    }
    return -1;
}

bool placedStretches(Document* document, std::vector<Stretch>& stretches) {
    Placer placer;
    for (FieldInstance* at = document->first; at; at = at->next) {
        int64_t begins = placer.place(at);
        int64_t size = instanceSize(at);
        if (size == 0) continue;
        if (stretches.empty() || begins != stretches.back().end) {
            stretches.push_back(Stretch{begins, begins + size, at, at});
        } else {
            stretches.back().end += size;
            stretches.back().last = at;
        }
    }
    std::stable_sort(stretches.begin(), stretches.end(),
                     [](const Stretch& a, const Stretch& b) { return a.start < b.start; });
    return !placer.failed();
}

bool keepUncoveredBytes(Document* document, TIOStream* file) {
    std::vector<Stretch> covered;
    try {
        if (!placedStretches(document, covered)) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    int64_t fileEnd = file->Size();
    struct Gap {
        int64_t start, end;
    };
    std::vector<Gap> gaps;
    int64_t reached = 0;
    try {
        for (const Stretch& stretch : covered) {
            if (stretch.start > reached) gaps.push_back(Gap{reached, std::min(stretch.start, fileEnd)});
            reached = std::max(reached, stretch.end);
        }
        if (fileEnd > reached) gaps.push_back(Gap{reached, fileEnd});
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Gaps lie between rows, so there are no more of them than rows: the limit may grow by them.
    int64_t limit = document->instanceLimit;
    document->instanceLimit += static_cast<int64_t>(gaps.size());
    bool kept = true;
    for (const Gap& gap : gaps) {
        int64_t failure = 0;
        FieldInstance* rest = appendRest(document, nullptr, 0, file, gap.start, gap.end - gap.start, &failure);
        kept = rest != nullptr;
        if (!kept) break;
        static_cast<RestValue*>(rest->value)->place = gap.start;
        if (!document->restOfFile) document->restOfFile = rest;
    }
    document->instanceLimit = limit;
    return kept;
}
