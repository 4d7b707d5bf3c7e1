#include "document/place_shift.h"

#include <cstdio>
#include <vector>

#include "document/instances.h"
#include "document/places.h"
#include "document/rest.h"
#include "document/row_numbers.h"
#include "templates/template.h"

// A place or offset as it was, and as a change made it.
struct MovedPlace {
    enum What : uint8_t { Region, Rest, OffsetRow } what;
    FieldInstance* instance;
    int64_t before, after;

    void set(int64_t number) const {
        if (what == Rest) {
            static_cast<RestValue*>(instance->value)->place = number;
        } else if (what == Region) {
            *static_cast<int64_t*>(instance->value) = number;
        } else {
            setRowNumber(instance, number);
        }
    }
};

struct PlaceMoves {
    std::vector<MovedPlace> moved;
};

namespace {

struct Move {
    FieldInstance* instance;  // a region's opener, or a rest between regions
    int64_t place;            // its new place
    FieldInstance* offsetRow;
    int64_t offsetNumber;  // the offset row's new number
};

// The bytes that come or go, and where.
struct Change {
    int64_t at;
    int64_t bytes;
    bool inserted;
    // Whether a place moves: after the inserted bytes' place, or after the deleted ones.
    bool after(int64_t place) const { return inserted ? place > at : place >= at + bytes; }
    bool inside(int64_t place) const { return !inserted && place >= at && place < at + bytes; }
    // Whether bytes from place on stand over the change: around the inserted bytes' place, or over
    // some of the deleted bytes.
    bool overlaps(int64_t place, int64_t size) const {
        return inserted ? place < at && place + size > at : place < at + bytes && place + size > at;
    }
    int64_t moved(int64_t place) const { return after(place) ? place + (inserted ? bytes : -bytes) : place; }
};

thread_local char reason[200];

const char* about(const char* text, const FieldInstance* instance) {
    std::snprintf(reason, sizeof reason, text, instance->field->caption);
    return reason;
}

// A region's new place; its offset row's new number follows, the base the expression adds to it
// moving only when it lies after the change.
const char* planRegion(FieldInstance* opener, const Change& change, std::vector<Move>& moves) {
    int64_t target = *static_cast<int64_t*>(opener->value);
    int64_t place = target + (change.inserted ? change.bytes : -change.bytes);
    Move move{opener, place, opener->listSource, 0};
    if (move.offsetRow) {
        int64_t number;
        if (!rowNumber(move.offsetRow, &number)) return about("The offset of \"%s\" cannot follow the bytes that move.", opener);
        int64_t base = target - number;
        move.offsetNumber = place - change.moved(base);
        for (const Move& earlier : moves) {
            if (earlier.offsetRow == move.offsetRow && earlier.offsetNumber != move.offsetNumber)
                return about("Two offsets read the number of \"%s\", and it cannot follow both.", move.offsetRow);
        }
        if (!numberFits(move.offsetRow, move.offsetNumber))
            return about("The offset \"%s\" cannot hold its new number.", move.offsetRow);
    }
    moves.push_back(move);
    return nullptr;
}

// The regions whose rows hold the instance, the innermost last; none for the rows at the top.
std::vector<const FieldInstance*> regionsAround(const Document* document, const FieldInstance* instance) {
    Placer placer;
    std::vector<const FieldInstance*> regions;
    for (const FieldInstance* at = document->first; at && at != instance; at = at->next) {
        placer.enter(at);
        if (isPlacedOpener(at)) regions.push_back(at);
        while (placer.leave(at)) regions.pop_back();
    }
    return regions;
}

// What moves, or why the change cannot stand.
const char* plan(Document* document, FieldInstance* first, FieldInstance* last, const Change& change,
                 std::vector<Move>& moves) {
    Placer placer;
    std::vector<const FieldInstance*> regions;  // open around where the walk stands
    // Those open around the item, known before the walk reaches their openers.
    const std::vector<const FieldInstance*> around = regionsAround(document, first);
    // Of each open region (the top first), the stretch its rows have covered without a break: bytes
    // inserted between two of its rows would move one and not the other.
    struct Run {
        int64_t start, end;
    };
    std::vector<Run> runs{{0, 0}};
    bool ours = false;
    const FieldInstance* home = around.empty() ? nullptr : around.back();
    for (FieldInstance* at = document->first; at; at = at->next) {
        if (at == first) ours = true;
        int64_t place = placer.enter(at);
        int64_t size = instanceSize(at);
        Run stretch{place, place + size};
        if (restPlace(at) < 0 && size > 0) {
            Run& run = runs.back();
            if (run.end != place) run.start = place;
            run.end = place + size;
            stretch = run;
        }
        // Rows of the change's own region follow one another (those after it already where the
        // change puts them), so only rows of other regions can stand over its bytes.
        bool sameRegion = restPlace(at) < 0 && (regions.empty() ? nullptr : regions.back()) == home;
        if (!ours && !sameRegion && size > 0 &&
            change.overlaps(stretch.start, stretch.end - stretch.start))
            return "Other rows stand over these bytes through an offset, so they cannot grow or shrink here.";
        if (at == last) ours = false;
        if (isPlacedOpener(at)) {
            regions.push_back(at);
            runs.push_back(Run{-1, -1});
            bool encloses = false;
            for (const FieldInstance* open : around) encloses = encloses || open == at;
            if (change.inside(place) && !encloses) return about("\"%s\" points into the bytes that would go.", at);
            bool follows = change.after(place) || (change.inserted && place == change.at && !encloses);
            if (follows) {
                if (const char* refusal = planRegion(at, change, moves)) return refusal;
            }
        } else if (restPlace(at) >= 0 && (change.after(place) || (change.inserted && place == change.at))) {
            // Bytes between regions belong to none, so inserted bytes go before them.
            moves.push_back(Move{at, change.inserted ? place + change.bytes : change.moved(place), nullptr, 0});
        }
        while (placer.leave(at)) {
            regions.pop_back();
            runs.pop_back();
        }
    }
    return placer.failed() ? "There is not enough memory." : nullptr;
}

// The bytes of first..last grew or shrank by the change: the places after it move.
const char* shift(Document* document, FieldInstance* first, FieldInstance* last, const Change& change,
                  PlaceMoves** made) {
    std::vector<Move> moves;
    PlaceMoves* log = nullptr;
    try {
        if (const char* refusal = plan(document, first, last, change, moves)) return refusal;
        log = moves.empty() ? nullptr : new PlaceMoves;
        for (const Move& move : moves) {
            bool rest = isRestInstance(move.instance);
            int64_t before = rest ? static_cast<RestValue*>(move.instance->value)->place
                                  : *static_cast<int64_t*>(move.instance->value);
            log->moved.push_back(MovedPlace{rest ? MovedPlace::Rest : MovedPlace::Region, move.instance, before, move.place});
            int64_t number;
            if (move.offsetRow && rowNumber(move.offsetRow, &number))
                log->moved.push_back(MovedPlace{MovedPlace::OffsetRow, move.offsetRow, number, move.offsetNumber});
        }
    } catch (const std::bad_alloc&) {
        delete log;
        return "There is not enough memory.";
    }
    replayPlaces(log, true);
    *made = log;
    return nullptr;
}

}  // namespace

const char* movePlaces(Document* document, FieldInstance* first, FieldInstance* last, bool inserted,
                       PlaceMoves** moves) {
    *moves = nullptr;
    if (!document->placed || !first) return nullptr;
    int64_t bytes = 0;
    for (FieldInstance* at = first;; at = at->next) {
        if (isPlacedOpener(at)) return "The item holds rows at an offset of their own, so it cannot come or go.";
        bytes += instanceSize(at);
        if (at == last) break;
    }
    return bytes == 0 ? nullptr : shift(document, first, last, Change{placeOf(document, first), bytes, inserted}, moves);
}

const char* resizePlaces(Document* document, FieldInstance* instance, int64_t sizeBefore, PlaceMoves** moves) {
    *moves = nullptr;
    if (!document->placed) return nullptr;
    int64_t size = instanceSize(instance);
    if (size == sizeBefore) return nullptr;
    int64_t place = placeOf(document, instance);
    // The bytes come or go at the field's end.
    Change change = size > sizeBefore ? Change{place + sizeBefore, size - sizeBefore, true}
                                      : Change{place + size, sizeBefore - size, false};
    return shift(document, instance, instance, change, moves);
}

void replayPlaces(const PlaceMoves* moves, bool forward) {
    if (!moves) return;
    if (forward) {
        for (const MovedPlace& moved : moves->moved) moved.set(moved.after);
    } else {
        for (auto at = moves->moved.rbegin(); at != moves->moved.rend(); ++at) at->set(at->before);
    }
}

void releasePlaces(PlaceMoves* moves) {
    delete moves;
}

bool sharesBytes(const Document* document, const FieldInstance* instance) {
    if (!document->placed) return false;
    int64_t from = placeOf(document, instance);
    int64_t to = from + instanceSize(const_cast<FieldInstance*>(instance));
    Placer placer;
    for (const FieldInstance* at = document->first; at; at = at->next) {
        int64_t place = placer.place(at);
        if (at != instance && place < to && place + instanceSize(const_cast<FieldInstance*>(at)) > from) return true;
    }
    return false;
}
