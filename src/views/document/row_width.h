#pragma once
// How far right a row's content reaches. The row is drawn on a recording surface and its texts are
// measured in the fonts they were drawn in, so data rows measure whatever their field type draws.
#include <windows.h>

#include <cstdint>
#include <map>

#include "document/document.h"
#include "platform/recording_surface.h"

class RowWidth {
  public:
    // dc measures the texts; client is the window's client rectangle.
    RowWidth(HDC dc, const RECT& client, bool focused);

    // The rightmost pixel of the row drawn from x = 0, at least 0.
    int32_t of(FieldInstance* instance);

  private:
    int32_t textEnd(const platform::DrawnText& text) const;

    platform::RecordingSurface surface_;
    HDC dc_;
    RECT client_;
    bool focused_;
};

// The widths of the rows in view, by their tops: a paint of part of the window measures only the rows
// it paints, and the others keep the widths they were painted with.
class ShownWidths {
  public:
    void clear() { rows_.clear(); }
    // Forgets the rows that do not reach into the content from top to bottom.
    void keepWithin(int64_t top, int64_t bottom);
    void note(int64_t top, int64_t bottom, int32_t width) { rows_[top] = {bottom, width}; }
    int32_t widest() const;

  private:
    struct Row {
        int64_t bottom;
        int32_t width;
    };
    std::map<int64_t, Row> rows_;
};
