// The key codes: numbers (and KNAM, four characters) that choose a case of their key section.
// They are edited like numbers (KNAM as four characters); since the rows that follow depend on them,
// the document keeps an edit only where the file reads back to the same rows.
#include <cstdio>
#include <cstring>
#include <string>

#include "document/document.h"
#include "fieldtypes/builtin_types.h"
#include "fieldtypes/byte_order.h"
#include "fieldtypes/host_calls.h"
#include "fieldtypes/integer_text.h"
#include "fieldtypes/key_value.h"
#include "fieldtypes/number_access.h"
#include "fieldtypes/registry.h"
#include "fieldtypes/value_drawing.h"
#include "fieldtypes/value_memory.h"
#include "fieldtypes/value_query.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"
#include "templates/template.h"

namespace {

struct KeyCode {
    FieldCode code;  // upper case
    uint8_t width;
    char shown;  // 's' signed, 'u' unsigned, 'n' characters
    const char* name;
};

constexpr KeyCode kKeyCodes[] = {
    {makeFieldCode("KBYT"), 1, 's', "Key byte"},
    {makeFieldCode("KUBT"), 1, 'u', "Key unsigned byte"},
    {makeFieldCode("KWRD"), 2, 's', "Key word"},
    {makeFieldCode("KUWD"), 2, 'u', "Key unsigned word"},
    {makeFieldCode("KRID"), 2, 'u', "Key resource id"},
    {makeFieldCode("KLNG"), 4, 's', "Key long"},
    {makeFieldCode("KULG"), 4, 'u', "Key unsigned long"},
    {makeFieldCode("KNAM"), 4, 'n', "Key name"},
    {makeFieldCode("KQWD"), 8, 's', "Key quad"},
    {makeFieldCode("KUQW"), 8, 'u', "Key unsigned quad"},
};

constexpr FieldCode kLowerCaseBits = 0x20202020u;

const KeyCode& keyCodeOf(FieldCode code) {
    for (const KeyCode& entry : kKeyCodes) {
        if ((code & ~kLowerCaseBits) == entry.code) return entry;
    }
    return kKeyCodes[0];
}

KeyValue* record(void* value) {
    return static_cast<KeyValue*>(value);
}

void formatKey(const KeyValue* key, char* text, size_t size) {
    const KeyCode& entry = keyCodeOf(key->code);
    if (entry.shown == 'n') {
        for (int i = 0; i < key->width; ++i) {
            unsigned char c = key->bytes[i];
            text[i] = c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '.';
        }
        text[key->width] = '\0';
        return;
    }
    uint64_t raw = byteorder::fromBytes(key->bytes, key->width, isUpperCaseCode(key->code));
    if (entry.shown == 's') {
        std::snprintf(text, size, "%lld", static_cast<long long>(byteorder::signExtend(raw, key->width)));
    } else {
        std::snprintf(text, size, "%llu", static_cast<unsigned long long>(raw));
    }
}

struct KeySlots {
    static void* createValue(FieldInstance* instance) {
        FieldCode code = hostCodeOf(instance);
        return newValue(KeyValue{code, keyCodeOf(code).width, {0}});
    }
    static void destroyValue(FieldInstance*, void* value) { deleteValue(record(value)); }
    static void* cloneValue(FieldInstance*, void* value) { return newValue(*record(value)); }
    static void drawValue(FieldInstance*, void* value, PaintContext* paint, RowLayout* row) {
        char text[32];
        formatKey(record(value), text, sizeof text);
        drawCaptionAndValue(*paint, *row, text, static_cast<int>(std::strlen(text)), fntBold);
    }
    static int64_t readValue(FieldInstance*, void* value, TIOStream* stream, int64_t) {
        return hostRead(stream, record(value)->bytes, record(value)->width);
    }
    static int64_t writeValue(FieldInstance*, void* value, TIOStream* stream, int64_t) {
        return hostWrite(stream, record(value)->bytes, record(value)->width);
    }
    static int64_t valueSize(FieldInstance*, void* value, int64_t) { return record(value)->width; }

    // The bounds typed text is clamped to, as the key's number shows.
    static void range(const KeyValue* key, int64_t* minimum, uint64_t* maximum) {
        bool isSigned = keyCodeOf(key->code).shown == 's';
        *maximum = UINT64_MAX >> (64 - key->width * 8 + (isSigned ? 1 : 0));
        *minimum = isSigned ? -static_cast<int64_t>(*maximum) - 1 : 0;
    }

    static int editValue(FieldInstance* instance, void* value, int32_t*, int32_t*) {
        const KeyValue* key = record(value);
        char shown[32];
        formatKey(key, shown, sizeof shown);
        if (keyCodeOf(key->code).shown == 'n') {
            return askForValue(instance, value, promptText(UIStrings[usKeyNamePrompt], hostCaptionOf(instance)), shown,
                               refuseOtherThanFour, setValueFromText);
        }
        int64_t minimum;
        uint64_t maximum;
        range(key, &minimum, &maximum);
        std::string prompt = promptText(UIStrings[usValuePrompt], hostCaptionOf(instance),
                                        std::to_string(minimum).c_str(), std::to_string(maximum).c_str());
        return askForValue(instance, value, prompt, shown, refuseNonDecimal, setValueFromText);
    }

    static int setValueFromText(FieldInstance*, void* value, const char* text) {
        KeyValue* key = record(value);
        if (keyCodeOf(key->code).shown == 'n') {
            if (std::strlen(text) != key->width) return 0;
            std::memcpy(key->bytes, text, key->width);
            return 1;
        }
        int64_t minimum;
        uint64_t maximum, number;
        range(key, &minimum, &maximum);
        if (!parseClamped(text, 10, minimum, maximum, &number)) return 0;
        byteorder::toBytes(number, key->bytes, key->width, isUpperCaseCode(key->code));
        return 1;
    }

    static const char* refuseOtherThanFour(const char* text) {
        return std::strlen(text) == 4 ? nullptr : UIStrings[usNotKeyName];
    }
};

// Keys are read-only: the rows after them depend on them.
bool keyNumber(const void* value, int64_t* number) {
    const KeyValue* key = record(const_cast<void*>(value));
    // Characters read as they stand, so that 'IHDR' names them in either case of the code.
    char shown = keyCodeOf(key->code).shown;
    uint64_t raw = byteorder::fromBytes(key->bytes, key->width, shown == 'n' || isUpperCaseCode(key->code));
    *number = shown == 's' ? byteorder::signExtend(raw, key->width) : static_cast<int64_t>(raw);
    return true;
}
constexpr NumberAccess kKeyNumber{keyNumber, nullptr};

constexpr FieldTypeProcs kKeyProcs{kFieldTypeProcsLength,
                                   KeySlots::createValue,
                                   KeySlots::destroyValue,
                                   KeySlots::cloneValue,
                                   KeySlots::drawValue,
                                   KeySlots::readValue,
                                   KeySlots::writeValue,
                                   KeySlots::valueSize,
                                   KeySlots::editValue,
                                   nullptr,
                                   KeySlots::setValueFromText,
                                   nullptr,
                                   nullptr};

}  // namespace

const KeyValue* keyValueOf(const FieldInstance* instance) {
    const FieldType* type = instance->field->fieldType;
    if (!type || type->procs.readValue != kKeyProcs.readValue || !instance->value) return nullptr;
    return static_cast<const KeyValue*>(instance->value);
}

void registerKeyTypes() {
    for (const KeyCode& entry : kKeyCodes) {
        registerFieldType(entry.code, entry.name, 0, &kKeyProcs);
        registerFieldType(entry.code | kLowerCaseBits, entry.name, 0, &kKeyProcs);
    }
    registerNumberAccess(&kKeyProcs, &kKeyNumber);
}
