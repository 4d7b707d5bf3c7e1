#pragma once
// Where the rows of a document lie: pixels from the top of its first row. A row is found by walking
// from the nearest row whose place is known, so the cost follows the distance, not the document.
#include <cstdint>
#include <initializer_list>

#include "document/document.h"

// A row and the pixel its top lies at; no row when instance is null.
struct RowSpot {
    FieldInstance* instance;
    int64_t top;

    int64_t bottom() const { return top + instance->height; }
};

class RowTrack {
  public:
    RowTrack(const Document* shown, int64_t height) : document_(shown), total_(height) {}

    int64_t height() const { return total_; }
    RowSpot first() const { return {document_->first, 0}; }
    RowSpot last() const;
    // The row holding pixel y: the first row above it, the last below it. Walks from the nearest of
    // the first row, the last row and the hints (spots without a row are passed over).
    RowSpot at(int64_t y, std::initializer_list<RowSpot> hints) const;

    static RowSpot next(RowSpot spot);
    static RowSpot previous(RowSpot spot);

    // Rows `height` pixels high were put in at pixel `at`: the document and each spot at or below
    // that pixel grow by as much.
    void grow(int64_t height) { total_ += height; }
    static void shift(RowSpot& spot, int64_t at, int64_t height);

  private:
    const Document* document_;
    int64_t total_ = 0;
};
