#pragma once
// How far right a row's content reaches. The row is drawn on a recording surface and its texts are
// measured in the fonts they were drawn in, so data rows measure whatever their field type draws.
#include <windows.h>

#include <cstdint>

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
