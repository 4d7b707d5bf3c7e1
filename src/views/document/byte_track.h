#pragma once
// Where the bytes of a document's rows lie: the offset each row would be saved at. As with RowTrack,
// a row is found by walking from the nearest row whose offset is known (the first, the last, the
// two found last), so the cost follows the distance, not the document. Two are kept because the
// current row and the top of the byte pane are asked for in turn, and may lie far apart. A fold is
// crossed in one step, and the row holding the byte looked for is bound in it.
#include <cstdint>

#include "document/document.h"
#include "views/document/row_track.h"

class ByteTrack {
  public:
    // total bytes, of which `offset` lie before the row at `known` (the first row when none).
    ByteTrack(const Document* shown, int64_t total, RowSpot known, int64_t offset);

    int64_t total() const { return total_; }
    // The offset of a row; its pixel top tells on which side of the rows known it lies.
    int64_t offsetOf(RowSpot spot, RowSpot last);
    // The row that holds the byte at offset (below total()).
    RowSpot rowAt(int64_t offset, RowSpot last);

    // A change added bytes (or took them, when negative) after the row found last, which has this
    // spot now.
    void grow(int64_t bytes, RowSpot found) {
        total_ += bytes;
        known_.spot = found;
        earlier_ = {};  // it may lie after the change
    }
    // Bytes put in before the row found last, which has this spot now.
    void growBefore(int64_t bytes, RowSpot found) {
        grow(bytes, found);
        known_.offset += bytes;
    }

  private:
    struct Known {
        RowSpot spot;
        int64_t offset;
    };
    // The known row nearest to the wanted one, by pixels or by bytes.
    Known nearest(RowSpot last, bool byPixels, int64_t wanted) const;
    void remember(const Known& found);
    int64_t placedOffsetOf(RowSpot spot) const;
    RowSpot placedRowAt(int64_t offset) const;
    // The row of the fold at `fold` that holds byte offset, bound, with its place: walked to from the
    // row before the fold, which binding leaves where it is. Past the fold when it cannot be bound.
    Known unfolded(Known fold, int64_t offset) const;

    const Document* document_;
    int64_t total_ = 0;
    Known known_;
    Known earlier_{};  // no row until a second one is found
};
