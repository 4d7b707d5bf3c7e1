#include "document/row_numbers.h"

#include "document/row_kind.h"
#include "fieldtypes/number_access.h"
#include "templates/template.h"

bool rowNumber(const FieldInstance* instance, int64_t* number) {
    if (!instance->field->fieldType) {
        *number = *static_cast<const int64_t*>(instance->value);
        return true;
    }
    return numberOfValue(instance, number);
}

bool numberFits(FieldInstance* instance, int64_t number) {
    if (!instance->field->fieldType) return number >= 0 && number <= largestCount(rowKindOf(instance->field->code));
    const NumberAccess* access = numberAccessOf(instance);
    int64_t was, now;
    if (!access || !access->set || !access->get(instance->value, &was)) return false;
    access->set(instance->value, number);
    bool held = access->get(instance->value, &now) && now == number;
    access->set(instance->value, was);
    return held;
}

void setRowNumber(FieldInstance* instance, int64_t number) {
    if (instance->field->fieldType) {
        numberAccessOf(instance)->set(instance->value, number);
    } else {
        *static_cast<int64_t*>(instance->value) = number;
    }
}
