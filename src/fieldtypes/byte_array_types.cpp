// The byte-array codes: BYTS, PADN and UPTO in both cases, one handler table whose rows the binder
// gives their length; the bytes are shown as a preview and edited as hexadecimal of the same length.
#include <cstring>
#include <string>

#include "document/document.h"
#include "fieldtypes/bounded_slots.h"
#include "fieldtypes/builtin_types.h"
#include "fieldtypes/byte_preview.h"
#include "fieldtypes/handler_table.h"
#include "fieldtypes/hex_bytes.h"
#include "fieldtypes/registry.h"
#include "fieldtypes/value_drawing.h"
#include "fieldtypes/value_query.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"
#include "templates/template.h"

namespace {

// The dialog's refusal sees only the text, so the length it asks for is kept here while it is open.
uint64_t lengthAsked;

const char* refuseOtherBytes(const char* text) {
    const int64_t count = hexBytesCount(text);
    if (count < 0) return UIStrings[usNotHexBytes];
    if (static_cast<uint64_t>(count) == lengthAsked) return nullptr;
    return keptRefusal(promptText(UIStrings[usWrongByteCount], std::to_string(lengthAsked).c_str()));
}

struct ByteArraySlots : BoundedSlots<ByteArraySlots> {
    static void drawValue(FieldInstance*, void* value, PaintContext* paint, RowLayout* row) {
        const ByteRun* r = run(value);
        char text[kPreviewText];
        const int count = r->length < kPreviewBytes ? static_cast<int>(r->length) : kPreviewBytes;
        const int length =
            r->length == 0 ? 0 : formatBytePreview(r->bytes, count, r->length > kPreviewBytes, text);
        drawCaptionAndValue(*paint, *row, text, length, fntNormal);
    }

    static int editValue(FieldInstance* instance, void* value, int32_t*, int32_t*) {
        const ByteRun* r = run(value);
        const std::string prompt =
            promptText(UIStrings[usBytesPrompt], hostCaptionOf(instance), std::to_string(r->length).c_str());
        if (r->length > kLongestEdited) return refuseTooLongToEdit(instance, value, prompt, r->length);
        lengthAsked = r->length;
        return askForValue(instance, value, prompt, hexBytesText(r->bytes, r->length).c_str(),
                           refuseOtherBytes, setValueFromText);
    }

    // The field keeps its length: the binder laid out the rows after it by that length.
    static int setValueFromText(FieldInstance*, void* value, const char* text) {
        ByteRun* r = run(value);
        const int64_t count = hexBytesCount(text);
        if (count < 0 || static_cast<uint64_t>(count) != r->length) return 0;
        decodeHexBytes(text, r->bytes);
        return 1;
    }
};

constexpr FieldTypeProcs kByteArrayProcs = handlerTableOf<ByteArraySlots>();

const FieldTypeRegistration kByteArrayTypes[] = {
    {makeFieldCode("BYTS"), 78, 0, &kByteArrayProcs}, {makeFieldCode("byts"), 78, 0, &kByteArrayProcs},
    {makeFieldCode("PADN"), 82, 0, &kByteArrayProcs}, {makeFieldCode("padn"), 82, 0, &kByteArrayProcs},
    {makeFieldCode("UPTO"), 83, 0, &kByteArrayProcs}, {makeFieldCode("upto"), 83, 0, &kByteArrayProcs},
};

}  // namespace

const ByteRun* byteArrayOf(const FieldInstance* instance) {
    const FieldType* type = instance->field->fieldType;
    if (!type || type->procs.readValue != kByteArrayProcs.readValue || !instance->value) return nullptr;
    return static_cast<const ByteRun*>(instance->value);
}

void registerByteArrayTypes() {
    registerFieldTypes(kByteArrayTypes, static_cast<int>(sizeof kByteArrayTypes / sizeof kByteArrayTypes[0]));
}
