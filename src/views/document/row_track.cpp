#include "views/document/row_track.h"

#include <algorithm>

#include "document/folds.h"

RowSpot RowSpot::above() const {
    FieldInstance* before = instance->previous;
    return {before, before ? top - before->height : top};
}

RowSpot RowTrack::shown(RowSpot spot, int64_t y, bool down) {
    while (spot.instance && isFoldInstance(spot.instance)) {
        int64_t rows = foldRows(spot.instance);
        int64_t rowHeight = spot.instance->height / rows;
        int64_t row = std::clamp<int64_t>((y - spot.top) / std::max<int64_t>(rowHeight, 1), 0, rows - 1);
        if (FieldInstance* bound = unfoldRow(spot.instance, row)) return {bound, spot.top + row * rowHeight};
        spot = down ? spot.below() : spot.above();
    }
    return spot;
}

RowSpot RowTrack::last() const {
    FieldInstance* instance = document_->last;
    if (!instance) return {nullptr, 0};
    return shown({instance, total_ - instance->height}, total_ - 1, false);
}

RowSpot RowTrack::previous(RowSpot spot) {
    RowSpot above = spot.above();
    return above.instance ? shown(above, spot.top - 1, false) : above;
}

RowSpot RowTrack::at(int64_t y, std::initializer_list<RowSpot> hints) const {
    RowSpot spot{document_->first, 0};
    if (!spot.instance) return spot;
    auto distance = [y](const RowSpot& candidate) {
        return candidate.top > y ? candidate.top - y : y - candidate.top;
    };
    RowSpot end{document_->last, total_ - document_->last->height};
    if (distance(end) < distance(spot)) spot = end;
    for (const RowSpot& hint : hints) {
        if (hint.instance && distance(hint) < distance(spot)) spot = hint;
    }
    while (y < spot.top && spot.instance->previous) spot = spot.above();
    while (y >= spot.bottom() && spot.instance->next) spot = spot.below();
    return shown(spot, y, true);
}

void RowTrack::shift(RowSpot& spot, int64_t at, int64_t height) {
    if (spot.instance && spot.top >= at) spot.top += height;
}
