// The status bar while the document view is shown: where the current row lies in the bytes, what
// it is, and how large the document is. Finding the offset walks only from the nearest known row.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "document/instances.h"
#include "document/row_kind.h"
#include "mainwindow/main_frame.h"
#include "templates/template.h"
#include "views/document/document_view.h"

namespace {

// The header of the item a row belongs to; a list header is its own.
const FieldInstance* itemHeader(const FieldInstance* row) {
    RowRole role = rowKindOf(row->field->code).role;
    return role == RowRole::CountedList || role == RowRole::SizedList ? row : row->parent;
}

}  // namespace

void TfrmDocument::UpdateStatus() {
    if (!hwnd || !IsWindowVisible(hwnd)) return;
    char where[96] = "";
    char code[8] = "";
    char item[40] = "";
    char size[80];
    if (current) {
        long long offset = bytes_.offsetOf(CurrentSpot(), rows_.last());
        std::snprintf(where, sizeof where, "Offset $%llX (%lld), size %lld", offset, offset,
                      static_cast<long long>(instanceSize(current)));
        std::memcpy(code, current->field->code, 4);
        const FieldInstance* header = itemHeader(current);
        if (header && header->value) {
            std::snprintf(item, sizeof item, "Item [%lld]",
                          static_cast<long long>(*static_cast<int64_t*>(header->value)));
        }
    }
    std::snprintf(size, sizeof size, "%lld bytes, %lld rows", static_cast<long long>(bytes_.total()),
                  static_cast<long long>(rows_.count()));
    std::string last = note_.empty() ? size : note_ + "  " + size;
    const char* parts[kStatusParts] = {where, code, item, last.c_str()};
    frame->ShowStatus(parts);
}
