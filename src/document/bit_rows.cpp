// Editing a bit row: the number its bits hold is asked for and stored in those bits of its integer,
// the other bits as they were; the edit is the integer's, so Undo and the checks of an edit apply.
#include <cstdint>
#include <string>

#include "document/changes.h"
#include "document/refusal.h"
#include "expressions/expression.h"
#include "fieldtypes/integer_text.h"
#include "fieldtypes/number_access.h"
#include "fieldtypes/value_query.h"
#include "shell/ui_strings.h"
#include "templates/row_parameters.h"
#include "templates/template.h"

namespace {

struct BitRange {
    std::string label;
    int64_t first;
    int64_t count;
    uint64_t mask() const { return count == 64 ? UINT64_MAX : (uint64_t{1} << count) - 1; }
};

// The range being asked for, for the dialog's answer, which sees only the text.
const BitRange* asked;

int storeBits(FieldInstance* integer, void* value, const char* text) {
    uint64_t number;
    int64_t whole;
    const NumberAccess* access = numberAccessOf(integer);
    if (!parseClamped(text, 10, 0, asked->mask(), &number) || !access->get(value, &whole)) return 0;
    uint64_t bits = static_cast<uint64_t>(whole) & ~(asked->mask() << asked->first);
    access->set(value, static_cast<int64_t>(bits | number << asked->first));
    return 1;
}

int askBits(FieldInstance* integer, const void* context) {
    const BitRange& range = *static_cast<const BitRange*>(context);
    int64_t whole = 0;
    numberOfValue(integer, &whole);
    std::string shown = std::to_string(static_cast<uint64_t>(whole) >> range.first & range.mask());
    std::string prompt =
        promptText(UIStrings[usValuePrompt], range.label.c_str(), "0", std::to_string(range.mask()).c_str());
    asked = &range;
    return askForValue(integer, integer->value, prompt, shown.c_str(), refuseNonDecimal, storeBits);
}

}  // namespace

// Bits given by numbers written out can be edited; those an expression computes are the file's to say.
bool editBits(Document* document, FieldInstance* bits) {
    FieldInstance* integer = bits->listSource;
    const NumberAccess* access = integer ? numberAccessOf(integer) : nullptr;
    const TemplateField* field = bits->field;
    BitRange range{"", 0, 1};
    bool constant = expression::isNumber(field->parameters[0], &range.first) &&
                    (field->parameterCount < 2 || expression::isNumber(field->parameters[1], &range.count));
    if (!access || !access->set || !constant) {
        refuse(document, "These bits are computed where they stand, so they cannot be edited.");
        return false;
    }
    const char* label;
    int32_t length;
    shownCaption(field, &label, &length);
    range.label.assign(label, static_cast<size_t>(length));
    return changeValue(document, integer, askBits, &range);
}
