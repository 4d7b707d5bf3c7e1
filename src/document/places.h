#pragma once
// Where rows stand in the file. Rows follow one another, except that the rows of a region at an
// offset (ATOF) stand from its offset on, after which rows go on where they stood before it, and
// that a rest row of bytes between regions stands at its own place.
#include <cstdint>
#include <vector>

#include "document/document.h"
#include "document/record_stack.h"

class TIOStream;

class Placer {
  public:
    // Without regions at offsets (placed false) every row follows the one before, which costs less.
    explicit Placer(bool placed = true) : placed_(placed) {}
    // Where the instance begins; call for each instance in display order. A region's opener begins
    // its region, which stays open until leave().
    int64_t enter(const FieldInstance* instance);
    // Closes the innermost region when the instance is its last; false when it is not.
    bool leave(const FieldInstance* instance);
    // Both, closing every region the instance ends.
    int64_t place(const FieldInstance* instance) {
        int64_t begins = enter(instance);
        while (leave(instance)) {
        }
        return begins;
    }
    // Where the next row of the innermost open region would begin.
    int64_t at() const { return at_; }
    // Opening regions without memory loses track of the places.
    bool failed() const { return failed_; }

  private:
    struct Region {
        const FieldInstance* last;
        int64_t resumeAt;
    };
    RecordStack<Region> regions_;
    int64_t at_ = 0;
    bool placed_;
    bool failed_ = false;
};

bool isPlacedOpener(const FieldInstance* instance);
// The place of a rest row of bytes between regions; -1 for any other row.
int64_t restPlace(const FieldInstance* instance);

// Rows that follow one another in the file, from first to last in display order.
struct Stretch {
    int64_t start, end;
    FieldInstance* first;
    FieldInstance* last;
};
// The document's stretches of rows, in the order of their places (of rows at one place, in display
// order). False without memory; may throw std::bad_alloc.
bool placedStretches(Document* document, std::vector<Stretch>& stretches);

// Where the instance's bytes begin in the file; -1 when it is not among the document's rows.
int64_t placeOf(const Document* document, const FieldInstance* instance);

// After binding a file with regions at offsets: the bytes no row covers become rest rows at their
// places after the last row, the first of them the document's rest of the file. False without memory.
bool keepUncoveredBytes(Document* document, TIOStream* file);
