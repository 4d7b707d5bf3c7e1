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
    Placer placer;
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

namespace {

struct Run {
    int64_t start, end;
};

// The stretches of the file that rows cover, in order and merged.
bool coveredRuns(const Document* document, std::vector<Run>& runs) {
    Placer placer;
    Run run{0, 0};
    for (const FieldInstance* at = document->first; at; at = at->next) {
        int64_t begins = placer.place(at);
        int64_t size = instanceSize(const_cast<FieldInstance*>(at));
        if (size == 0) continue;
        if (begins != run.end) {
            if (run.end > run.start) runs.push_back(run);
            run.start = begins;
        }
        run.end = begins + size;
    }
    if (run.end > run.start) runs.push_back(run);
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.start < b.start; });
    return !placer.failed();
}

}  // namespace

bool keepUncoveredBytes(Document* document, TIOStream* file) {
    std::vector<Run> runs;
    try {
        if (!coveredRuns(document, runs)) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    int64_t fileEnd = file->Size();
    std::vector<Run> gaps;
    int64_t covered = 0;
    try {
        for (const Run& run : runs) {
            if (run.start > covered) gaps.push_back(Run{covered, std::min(run.start, fileEnd)});
            covered = std::max(covered, run.end);
        }
        if (fileEnd > covered) gaps.push_back(Run{covered, fileEnd});
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Gaps lie between rows, so there are no more of them than rows: the limit may grow by them.
    int64_t limit = document->instanceLimit;
    document->instanceLimit += static_cast<int64_t>(gaps.size());
    bool kept = true;
    for (const Run& gap : gaps) {
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
