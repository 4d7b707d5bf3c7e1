#include "document/count_display.h"

#include "document/document.h"
#include "document/row_kind.h"
#include "templates/template.h"

bool shownNumber(const FieldInstance* instance, int64_t* shown) {
    RowKind kind = rowKindOf(instance->field->code);
    if (!isNumberRole(kind.role) || !instance->value) return false;
    int64_t number = *static_cast<const int64_t*>(instance->value);
    switch (kind.width) {
        case 1:
            number &= 0xFF;
            break;
        case 2:
            number = static_cast<int16_t>(number);
            break;
        case 4:
            number = static_cast<int32_t>(number);
            break;
        default:
            break;
    }
    // Wraps like the 64-bit number it is, never overflows.
    *shown = static_cast<int64_t>(static_cast<uint64_t>(number) + (kind.zeroBased ? 1 : 0));
    return true;
}
