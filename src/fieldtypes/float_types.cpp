// The 6 floating-point codes: SNGL, DOUB and EXTD in both byte orders. One handler table; the code
// in the record gives the format and byte order.
#include <cstring>

#include "fieldtypes/builtin_types.h"
#include "fieldtypes/byte_shape.h"
#include "fieldtypes/field_type.h"
#include "fieldtypes/float_text.h"
#include "fieldtypes/handler_table.h"
#include "fieldtypes/host_calls.h"
#include "fieldtypes/plain_value_slots.h"
#include "fieldtypes/registry.h"
#include "fieldtypes/value_drawing.h"
#include "fieldtypes/value_memory.h"
#include "fieldtypes/value_query.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"

namespace {

struct FloatValue {
    FieldCode code;
    unsigned char bytes[kLongestFloat];  // least significant first
};

// Room for 21 significant digits, sign, point and a five-digit exponent.
constexpr size_t kTextSize = 40;

FloatValue* record(void* value) {
    return static_cast<FloatValue*>(value);
}

// S, D, E in either case.
FloatFormat formatOf(FieldCode code) {
    switch (static_cast<char>(code & 0xDF)) {
        case 'S':
            return FloatFormat::Single;
        case 'D':
            return FloatFormat::Double;
        default:
            return FloatFormat::Extended;
    }
}

int widthOf(const FloatValue* r) {
    return floatWidth(formatOf(r->code));
}

// Between the file's order and the record's, least significant first.
void copyInOrder(const unsigned char* from, unsigned char* to, int width, bool reverse) {
    for (int i = 0; i < width; ++i) to[i] = from[reverse ? width - 1 - i : i];
}

const char* refuseNonNumber(const char* text) {
    unsigned char scratch[kLongestFloat] = {};
    return parseFloat(FloatFormat::Extended, text, scratch) ? nullptr : UIStrings[usNotFloatNumber];
}

struct FloatSlots : PlainValueSlots<FloatValue, FloatSlots> {
    static void format(const FloatValue* r, char* text) {
        formatFloat(formatOf(r->code), r->bytes, text, kTextSize);
    }

    static void* createValue(FieldInstance* instance) {
        return newValue(FloatValue{hostCodeOf(instance), {}});
    }

    // The value changes only when every byte arrived; a short read stops binding.
    static int64_t readValue(FieldInstance*, void* value, TIOStream* stream, int64_t) {
        FloatValue* r = record(value);
        const int width = widthOf(r);
        unsigned char bytes[kLongestFloat];
        const int64_t got = hostRead(stream, bytes, width);
        if (got == width) copyInOrder(bytes, r->bytes, width, isUpperCaseCode(r->code));
        return got;
    }

    static int64_t writeValue(FieldInstance*, void* value, TIOStream* stream, int64_t) {
        const FloatValue* r = record(value);
        const int width = widthOf(r);
        unsigned char bytes[kLongestFloat];
        copyInOrder(r->bytes, bytes, width, isUpperCaseCode(r->code));
        return hostWrite(stream, bytes, width);
    }

    static int64_t valueSize(FieldInstance*, void* value, int64_t) { return widthOf(record(value)); }

    static int editValue(FieldInstance* instance, void* value, int32_t*, int32_t*) {
        char text[kTextSize];
        format(record(value), text);
        return askForValue(instance, value, promptText(UIStrings[usFloatPrompt], hostCaptionOf(instance)),
                           text, refuseNonNumber, setValueFromText);
    }

    // Text that is no number changes nothing.
    static int setValueFromText(FieldInstance*, void* value, const char* text) {
        FloatValue* r = record(value);
        return parseFloat(formatOf(r->code), text, r->bytes) ? 1 : 0;
    }
};

bool floatShape(FieldCode code, ByteShape* shape) {
    *shape = ByteShape{floatWidth(formatOf(code)), 0, false};
    return true;
}

constexpr FieldTypeProcs kFloatProcs = handlerTableOf<FloatSlots>();

const FieldTypeRegistration kFloatTypes[] = {
    {makeFieldCode("SNGL"), 57, 0, &kFloatProcs}, {makeFieldCode("sngl"), 58, 0, &kFloatProcs},
    {makeFieldCode("DOUB"), 59, 0, &kFloatProcs}, {makeFieldCode("doub"), 60, 0, &kFloatProcs},
    {makeFieldCode("EXTD"), 61, 0, &kFloatProcs}, {makeFieldCode("extd"), 62, 0, &kFloatProcs},
};

}  // namespace

void registerFloatTypes() {
    registerFieldTypes(kFloatTypes, static_cast<int>(sizeof kFloatTypes / sizeof kFloatTypes[0]));
    registerByteShape(&kFloatProcs, floatShape);
}
