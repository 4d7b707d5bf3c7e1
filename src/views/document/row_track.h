#pragma once
// Where the rows of a document lie: pixels from the top of its first row. A row is found by walking
// from the nearest row whose place is known, so the cost follows the distance, not the document.
// Items of a large list stand folded as one instance as tall as their rows: a walk crosses them in
// one step, and the row it stops in is bound there, so that every spot handed out is a row.
#include <cstdint>
#include <initializer_list>

#include "document/document.h"

// A row and the pixel its top lies at; no row when instance is null.
struct RowSpot {
    FieldInstance* instance;
    int64_t top;

    int64_t bottom() const { return top + instance->height; }
    // The instance below or above, a fold as it stands.
    RowSpot below() const { return {instance->next, bottom()}; }
    RowSpot above() const;
};

class RowTrack {
  public:
    RowTrack(const Document* shown, int64_t height, int64_t rows)
        : document_(shown), total_(height), count_(rows) {}

    int64_t height() const { return total_; }
    // The rows, those folds stand for counted.
    int64_t count() const { return count_; }
    RowSpot first() const { return shown({document_->first, 0}, 0, true); }
    RowSpot last() const;
    // The row holding pixel y: the first row above it, the last below it. Walks from the nearest of
    // the first row, the last row and the hints (spots without a row are passed over).
    RowSpot at(int64_t y, std::initializer_list<RowSpot> hints) const;

    static RowSpot next(RowSpot spot) { return shown(spot.below(), spot.bottom(), true); }
    static RowSpot previous(RowSpot spot);

    // `rows` rows `height` pixels high were put in at pixel `at`: the document and each spot at or
    // below that pixel grow by as much.
    void grow(int64_t height, int64_t rows) {
        total_ += height;
        count_ += rows;
    }
    static void shift(RowSpot& spot, int64_t at, int64_t height);

  private:
    // The row at pixel y of the fold at spot (its nearest row when y lies outside it), bound; spot
    // itself when it is a row. A fold that cannot be bound (no memory, the file changed) is passed
    // over, downwards or upwards.
    static RowSpot shown(RowSpot spot, int64_t y, bool down);

    const Document* document_;
    int64_t total_ = 0;
    int64_t count_ = 0;
};
