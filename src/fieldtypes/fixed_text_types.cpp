// TEXT in both cases: text in a field of the length the binder gives it, zero bytes after the text.
#include <cstring>
#include <string>

#include "fieldtypes/bounded_slots.h"
#include "fieldtypes/builtin_types.h"
#include "fieldtypes/handler_table.h"
#include "fieldtypes/registry.h"
#include "fieldtypes/value_drawing.h"
#include "fieldtypes/value_query.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"

namespace {

uint64_t textLength(const ByteRun* r) {
    const void* zero = r->length == 0 ? nullptr : std::memchr(r->bytes, 0, r->length);
    return zero ? static_cast<uint64_t>(static_cast<const unsigned char*>(zero) - r->bytes) : r->length;
}

struct FixedTextSlots : BoundedSlots<FixedTextSlots> {
    static void drawValue(FieldInstance*, void* value, PaintContext* paint, RowLayout* row) {
        const ByteRun* r = run(value);
        const uint64_t length = textLength(r);
        const int shown = length > INT32_MAX ? INT32_MAX : static_cast<int>(length);
        drawCaptionAndValue(*paint, *row, reinterpret_cast<const char*>(r->bytes), shown, fntNormal);
    }

    static int editValue(FieldInstance* instance, void* value, int32_t*, int32_t*) {
        const ByteRun* r = run(value);
        const std::string prompt =
            promptText(UIStrings[usTextPrompt], hostCaptionOf(instance), std::to_string(r->length).c_str());
        const uint64_t length = textLength(r);
        if (length > kLongestEdited) return refuseTooLongToEdit(instance, value, prompt, length);
        const std::string text =
            length == 0 ? "" : std::string(reinterpret_cast<const char*>(r->bytes), length);
        return askForValue(instance, value, prompt, text.c_str(), nullptr, setValueFromText);
    }

    // Shorter text keeps the field's length, zero bytes after it. Longer text makes the field longer:
    // the change stands only where the template reads it back so, as when its length is the rest of
    // a section whose size follows.
    static int setValueFromText(FieldInstance*, void* value, const char* text) {
        ByteRun* r = run(value);
        const size_t length = std::strlen(text);
        if (length > r->length && !resizeRun(r, length)) return 0;
        if (length > 0) std::memcpy(r->bytes, text, length);
        if (r->length > length) std::memset(r->bytes + length, 0, r->length - length);
        return 1;
    }
};

constexpr FieldTypeProcs kFixedTextProcs = handlerTableOf<FixedTextSlots>();

const FieldTypeRegistration kFixedTextTypes[] = {
    {makeFieldCode("TEXT"), 79, 0, &kFixedTextProcs},
    {makeFieldCode("text"), 79, 0, &kFixedTextProcs},
};

}  // namespace

void registerFixedTextTypes() {
    registerFieldTypes(kFixedTextTypes, static_cast<int>(sizeof kFixedTextTypes / sizeof kFixedTextTypes[0]));
}
