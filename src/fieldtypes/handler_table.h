#pragma once
// A family's handler table from its slot procedures, static members of Slots named as the slots.
#include "fieldtypes/field_type.h"

template <typename Slots>
constexpr FieldTypeProcs handlerTableOf() {
    return FieldTypeProcs{kFieldTypeProcsLength,
                          Slots::createValue,
                          Slots::destroyValue,
                          Slots::cloneValue,
                          Slots::drawValue,
                          Slots::readValue,
                          Slots::writeValue,
                          Slots::valueSize,
                          Slots::editValue,
                          nullptr,
                          Slots::setValueFromText,
                          nullptr,
                          nullptr};
}
