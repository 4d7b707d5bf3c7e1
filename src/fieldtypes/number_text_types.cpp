// OTXT and DTXT in both cases: a number written as octal or decimal digits in a field of the length
// the binder gives it. Bytes of no number are shown as they are and cannot be edited; they stop no
// binding, since other programs write such fields too.
#include <cstring>
#include <string>

#include "fieldtypes/bounded_slots.h"
#include "fieldtypes/builtin_types.h"
#include "fieldtypes/handler_table.h"
#include "fieldtypes/integer_text.h"
#include "fieldtypes/number_access.h"
#include "fieldtypes/number_text.h"
#include "fieldtypes/registry.h"
#include "fieldtypes/value_drawing.h"
#include "fieldtypes/value_query.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"

namespace {

bool isOctal(FieldCode code) {
    return static_cast<char>(code & 0xDF) == 'O';
}

NumberText numberOf(const ByteRun* r) {
    return readNumberText(r->bytes, r->length, isOctal(r->code));
}

enum class Entered { Number, NotNumber, OutOfRange };

// Octal when octal and the text starts with 0 (after "0o" too); decimal otherwise.
Entered parseEntered(const char* text, bool octal, uint64_t largest, uint64_t* number) {
    const char* at = text + std::strspn(text, " \t");
    int base = 10;
    if (octal && at[0] == '0') {
        base = 8;
        if (at[1] == 'o' || at[1] == 'O') at += 2;
    }
    // Clamped one past each bound, so that a number outside them is told apart: -1 is all ones.
    if (!parseClamped(at, base, -1, largest + 1, number)) return Entered::NotNumber;
    return *number > largest ? Entered::OutOfRange : Entered::Number;
}

// The dialog's refusal sees only the text, so the field it asks for is kept here while it is open.
bool octalAsked;
uint64_t largestAsked;

const char* refuseEntered(const char* text) {
    uint64_t number;
    switch (parseEntered(text, octalAsked, largestAsked, &number)) {
        case Entered::Number:
            return nullptr;
        case Entered::NotNumber:
            return UIStrings[octalAsked ? usNotOctalOrDecimal : usNotDecimalNumber];
        case Entered::OutOfRange:
            break;
    }
    return keptRefusal(
        promptText(UIStrings[usNumberTextTooLarge], decimalAndOctal(largestAsked, octalAsked).c_str()));
}

struct NumberTextSlots : BoundedSlots<NumberTextSlots> {
    static void drawValue(FieldInstance*, void* value, PaintContext* paint, RowLayout* row) {
        const ByteRun* r = run(value);
        const std::string text = numberTextShown(r->bytes, r->length, isOctal(r->code));
        drawCaptionAndValue(*paint, *row, text.c_str(), static_cast<int>(text.size()), fntNormal);
    }

    static int editValue(FieldInstance* instance, void* value, int32_t*, int32_t*) {
        const ByteRun* r = run(value);
        const NumberText field = numberOf(r);
        if (field.form == NumberForm::NotNumber) return 0;
        octalAsked = isOctal(r->code);
        largestAsked = largestNumber(field, octalAsked);
        const std::string high = std::to_string(largestAsked);
        const std::string prompt =
            octalAsked ? promptText(UIStrings[usOctalTextPrompt], hostCaptionOf(instance), high.c_str(),
                                    octalText(largestAsked).c_str())
                       : promptText(UIStrings[usValuePrompt], hostCaptionOf(instance), "0", high.c_str());
        const std::string shown = field.form == NumberForm::Blank ? "" : std::to_string(field.value);
        return askForValue(instance, value, prompt, shown.c_str(), refuseEntered, setValueFromText);
    }

    static int setValueFromText(FieldInstance*, void* value, const char* text) {
        ByteRun* r = run(value);
        const bool octal = isOctal(r->code);
        const NumberText field = numberOf(r);
        uint64_t number;
        if (field.form == NumberForm::NotNumber ||
            parseEntered(text, octal, largestNumber(field, octal), &number) != Entered::Number)
            return 0;
        writeNumberText(r->bytes, field, number, octal);
        return 1;
    }
};

constexpr FieldTypeProcs kNumberTextProcs = handlerTableOf<NumberTextSlots>();

bool numberTextNumber(const void* value, int64_t* number) {
    const NumberText field = numberOf(static_cast<const ByteRun*>(value));
    *number = static_cast<int64_t>(field.value);
    return field.form != NumberForm::NotNumber;
}
constexpr NumberAccess kNumberTextNumber{numberTextNumber, nullptr};

const FieldTypeRegistration kNumberTextTypes[] = {
    {makeFieldCode("OTXT"), 80, 0, &kNumberTextProcs},
    {makeFieldCode("otxt"), 80, 0, &kNumberTextProcs},
    {makeFieldCode("DTXT"), 81, 0, &kNumberTextProcs},
    {makeFieldCode("dtxt"), 81, 0, &kNumberTextProcs},
};

}  // namespace

void registerNumberTextTypes() {
    registerFieldTypes(kNumberTextTypes,
                       static_cast<int>(sizeof kNumberTextTypes / sizeof kNumberTextTypes[0]));
    registerNumberAccess(&kNumberTextProcs, &kNumberTextNumber);
}
