#include "fieldtypes/bounded_slots.h"

#include "fieldtypes/value_query.h"
#include "shell/ui_strings.h"

namespace {

uint64_t lengthAsked;

const char* refuseEveryAnswer(const char*) {
    return keptRefusal(promptText(UIStrings[usTooLongToEdit], std::to_string(lengthAsked).c_str(),
                                  std::to_string(kLongestEdited).c_str()));
}

int takeNothing(FieldInstance*, void*, const char*) {
    return 0;
}

}  // namespace

// The dialog is still shown, since it is where the user learns why the row cannot be edited.
int refuseTooLongToEdit(FieldInstance* instance, void* value, const std::string& prompt, uint64_t length) {
    lengthAsked = length;
    return askForValue(instance, value, prompt, "", refuseEveryAnswer, takeNothing);
}
