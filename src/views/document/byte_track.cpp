#include "views/document/byte_track.h"

#include "document/folds.h"
#include "document/instances.h"
#include "document/places.h"

namespace {

int64_t distance(int64_t a, int64_t b) {
    return a > b ? a - b : b - a;
}

}  // namespace

ByteTrack::ByteTrack(const Document* shown, int64_t total, RowSpot known, int64_t offset)
    : document_(shown), total_(total), known_{known, offset} {
    if (!known.instance) known_ = {{shown->first, 0}, 0};
}

ByteTrack::Known ByteTrack::nearest(RowSpot last, bool byPixels, int64_t wanted) const {
    Known candidates[] = {{{document_->first, 0}, 0},
                          {last, last.instance ? total_ - instanceSize(last.instance) : 0},
                          known_,
                          earlier_};
    Known best = candidates[0];
    for (const Known& candidate : candidates) {
        if (!candidate.spot.instance) continue;
        int64_t from = byPixels ? candidate.spot.top : candidate.offset;
        int64_t bestFrom = byPixels ? best.spot.top : best.offset;
        if (distance(from, wanted) < distance(bestFrom, wanted)) best = candidate;
    }
    return best;
}

void ByteTrack::remember(const Known& found) {
    if (found.spot.instance != known_.spot.instance) earlier_ = known_;
    known_ = found;
}

// Rows at offsets of their own stand anywhere in the file, so rows and places are walked from the top.
int64_t ByteTrack::placedOffsetOf(RowSpot spot) const {
    int64_t place = placeOf(document_, spot.instance);
    return place < 0 ? 0 : place;
}

RowSpot ByteTrack::placedRowAt(int64_t offset) const {
    Placer placer;
    for (RowSpot at{document_->first, 0}; at.instance; at = at.below()) {
        int64_t place = placer.place(at.instance);
        if (place <= offset && offset < place + instanceSize(at.instance))
            return isFoldInstance(at.instance) ? unfolded({at, place}, offset).spot : at;
        if (!at.instance->next) return at;
    }
    return {};
}

ByteTrack::Known ByteTrack::unfolded(Known fold, int64_t offset) const {
    RowSpot before = fold.spot.above();
    int64_t beforeOffset = before.instance ? fold.offset - instanceSize(before.instance) : 0;
    FieldInstance* bound = unfoldByte(fold.spot.instance, offset - fold.offset);
    if (!bound) return {fold.spot.below(), fold.offset + instanceSize(fold.spot.instance)};
    Known at = before.instance ? Known{before, beforeOffset} : Known{{document_->first, 0}, 0};
    while (at.spot.instance != bound) {
        at.offset += instanceSize(at.spot.instance);
        at.spot = at.spot.below();
    }
    return at;
}

int64_t ByteTrack::offsetOf(RowSpot spot, RowSpot last) {
    if (!spot.instance) return 0;
    if (document_->placed) return placedOffsetOf(spot);
    Known at = nearest(last, true, spot.top);
    while (at.spot.instance != spot.instance && at.spot.top < spot.top && at.spot.instance->next) {
        at.offset += instanceSize(at.spot.instance);
        at.spot = at.spot.below();
    }
    while (at.spot.instance != spot.instance && at.spot.instance->previous) {
        at.spot = at.spot.above();
        at.offset -= instanceSize(at.spot.instance);
    }
    remember(at);
    return at.offset;
}

RowSpot ByteTrack::rowAt(int64_t offset, RowSpot last) {
    if (document_->placed) return placedRowAt(offset);
    Known at = nearest(last, false, offset);
    if (!at.spot.instance) return at.spot;
    // Rows without bytes are passed over forwards, so the row found holds the byte.
    for (;;) {
        if (offset < at.offset && at.spot.instance->previous) {
            at.spot = at.spot.above();
            at.offset -= instanceSize(at.spot.instance);
        } else if (offset >= at.offset + instanceSize(at.spot.instance) && at.spot.instance->next) {
            at.offset += instanceSize(at.spot.instance);
            at.spot = at.spot.below();
        } else {
            break;
        }
    }
    if (isFoldInstance(at.spot.instance)) at = unfolded(at, offset);
    remember(at);
    return at.spot;
}
