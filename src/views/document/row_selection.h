#pragma once
// The selected rows of a view. The selection lives in the instances' flags; the view also lists the
// selected instances, so that clearing the selection costs as much as the selection, not as the
// document.
#include <cstdint>

#include "document/document.h"

class RowSelection {
  public:
    RowSelection() = default;
    ~RowSelection();
    RowSelection(const RowSelection&) = delete;
    RowSelection& operator=(const RowSelection&) = delete;

    void select(FieldInstance* instance);
    // Clears the selected mark of every row of the document.
    void clear(Document* document);

  private:
    static constexpr int32_t kGrowth = 64;

    FieldInstance** rows_ = nullptr;
    int32_t count_ = 0;
    int32_t capacity_ = 0;
    bool unlisted_ = false;  // a row could not be listed: clearing walks the document
};
