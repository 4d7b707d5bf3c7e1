#include "views/document/row_track.h"

RowSpot RowTrack::last() const {
    FieldInstance* instance = document_->last;
    return {instance, instance ? total_ - instance->height : 0};
}

RowSpot RowTrack::next(RowSpot spot) {
    return {spot.instance->next, spot.bottom()};
}

RowSpot RowTrack::previous(RowSpot spot) {
    FieldInstance* before = spot.instance->previous;
    return {before, before ? spot.top - before->height : spot.top};
}

RowSpot RowTrack::at(int64_t y, std::initializer_list<RowSpot> hints) const {
    RowSpot spot = first();
    if (!spot.instance) return spot;
    auto distance = [y](const RowSpot& candidate) {
        return candidate.top > y ? candidate.top - y : y - candidate.top;
    };
    RowSpot end = last();
    if (distance(end) < distance(spot)) spot = end;
    for (const RowSpot& hint : hints) {
        if (hint.instance && distance(hint) < distance(spot)) spot = hint;
    }
    while (y < spot.top && spot.instance->previous) spot = previous(spot);
    while (y >= spot.bottom() && spot.instance->next) spot = next(spot);
    return spot;
}

void RowTrack::shift(RowSpot& spot, int64_t at, int64_t height) {
    if (spot.instance && spot.top >= at) spot.top += height;
}
