#include "views/document/row_selection.h"

#include "shell/pointer_array.h"

RowSelection::~RowSelection() {
    delete[] rows_;
}

void RowSelection::select(FieldInstance* instance) {
    if (instance->flags & kInstanceSelected) return;
    instance->flags |= kInstanceSelected;
    if (!shell::appendPointer(rows_, count_, capacity_, kGrowth, instance)) unlisted_ = true;
}

void RowSelection::clear(Document* document) {
    if (unlisted_) {
        for (FieldInstance* instance = document->first; instance; instance = instance->next) {
            instance->flags &= ~kInstanceSelected;
        }
        unlisted_ = false;
    } else {
        for (int32_t i = 0; i < count_; ++i) rows_[i]->flags &= ~kInstanceSelected;
    }
    count_ = 0;
}
