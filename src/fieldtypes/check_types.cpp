// The check codes: CHKB, CHKW, CHKL, CHKQ (1, 2, 4, 8 bytes, upper case big-endian) and CHKO (octal
// digits, as TAR writes its header checksum, in the length its caption gives).
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "document/document.h"
#include "fieldtypes/builtin_types.h"
#include "fieldtypes/byte_order.h"
#include "fieldtypes/byte_run.h"
#include "fieldtypes/check_value.h"
#include "fieldtypes/handler_table.h"
#include "fieldtypes/host_calls.h"
#include "fieldtypes/number_access.h"
#include "fieldtypes/number_text.h"
#include "fieldtypes/registry.h"
#include "fieldtypes/value_drawing.h"
#include "fieldtypes/value_memory.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"
#include "templates/template.h"

namespace {

struct CheckValue {
    ByteRun run;  // the bytes as they stand
    int64_t computed;
    bool follows;  // the stored number was right when read
};

CheckValue* record(void* value) {
    return static_cast<CheckValue*>(value);
}

// 1, 2, 4 or 8 bytes; 0 for the octal digits, whose length the binder gives.
int widthOf(FieldCode code) {
    switch (static_cast<char>(code >> 24 & 0xDF)) {
        case 'B':
            return 1;
        case 'W':
            return 2;
        case 'L':
            return 4;
        case 'Q':
            return 8;
        default:
            return 0;
    }
}

uint64_t maskOf(int width) {
    return width == 8 ? UINT64_MAX : (uint64_t{1} << (width * 8)) - 1;
}

// False for octal digits that spell no number.
bool stored(const CheckValue* r, uint64_t* number) {
    int width = widthOf(r->run.code);
    if (width > 0) {
        *number = r->run.length == static_cast<uint64_t>(width)
                      ? byteorder::fromBytes(r->run.bytes, width, isUpperCaseCode(r->run.code))
                      : 0;
        return true;
    }
    NumberText text = readNumberText(r->run.bytes, r->run.length, true);
    *number = text.value;
    return text.form != NumberForm::NotNumber;
}

bool matches(const CheckValue* r, int64_t computed) {
    uint64_t number;
    int width = widthOf(r->run.code);
    uint64_t wanted = width > 0 ? static_cast<uint64_t>(computed) & maskOf(width) : static_cast<uint64_t>(computed);
    return stored(r, &number) && number == wanted;
}

std::string numberText(const CheckValue* r, uint64_t number) {
    int width = widthOf(r->run.code);
    if (width == 0) return decimalAndOctal(number, true);
    char text[24];
    std::snprintf(text, sizeof text, "$%0*" PRIx64, width * 2, number & maskOf(width));
    return text;
}

struct CheckSlots {
    // A fixed width starts as zeros, as a new document's rows do.
    static void* createValue(FieldInstance* instance) {
        CheckValue* r = newValue(CheckValue{ByteRun{hostCodeOf(instance), 0, nullptr}, 0, true});
        int width = r ? widthOf(r->run.code) : 0;
        if (width > 0 && !resizeRun(&r->run, static_cast<uint64_t>(width))) {
            deleteValue(r);
            return nullptr;
        }
        if (width > 0) std::memset(r->run.bytes, 0, static_cast<size_t>(width));
        return r;
    }
    static void destroyValue(FieldInstance*, void* value) {
        releaseRunBytes(&record(value)->run);
        deleteValue(record(value));
    }
    static void* cloneValue(FieldInstance*, void* value) {
        const CheckValue* r = record(value);
        CheckValue* copy = newValue(CheckValue{ByteRun{r->run.code, 0, nullptr}, r->computed, r->follows});
        if (copy && !resizeRun(&copy->run, r->run.length)) {
            deleteValue(copy);
            return nullptr;
        }
        if (copy && r->run.length > 0) std::memcpy(copy->run.bytes, r->run.bytes, r->run.length);
        return copy;
    }
    static void drawValue(FieldInstance*, void* value, PaintContext* paint, RowLayout* row) {
        const CheckValue* r = record(value);
        uint64_t number;
        std::string text = stored(r, &number) ? numberText(r, number) : "not a number";
        text += matches(r, r->computed)
                    ? " valid"
                    : " stale (should be " + numberText(r, static_cast<uint64_t>(r->computed)) + ")";
        drawCaptionAndValue(*paint, *row, text.c_str(), static_cast<int>(text.size()), fntNormal);
    }
    static int64_t readValue(FieldInstance*, void* value, TIOStream* stream, int64_t position) {
        CheckValue* r = record(value);
        int width = widthOf(r->run.code);
        if (width == 0) return readRunToEnd(&r->run, stream, position);
        if (!resizeRun(&r->run, static_cast<uint64_t>(width))) return kResultNoMemory;
        return hostRead(stream, r->run.bytes, width);
    }
    static int64_t writeValue(FieldInstance*, void* value, TIOStream* stream, int64_t) {
        return writeRun(&record(value)->run, stream);
    }
    static int64_t valueSize(FieldInstance*, void* value, int64_t) {
        return static_cast<int64_t>(record(value)->run.length);
    }
};

constexpr FieldTypeProcs kCheckProcs{kFieldTypeProcsLength, CheckSlots::createValue, CheckSlots::destroyValue,
                                     CheckSlots::cloneValue, CheckSlots::drawValue,  CheckSlots::readValue,
                                     CheckSlots::writeValue, CheckSlots::valueSize,  nullptr,
                                     nullptr,                nullptr,                nullptr,
                                     nullptr};

bool checkNumber(const void* value, int64_t* number) {
    uint64_t held;
    bool known = stored(static_cast<const CheckValue*>(value), &held);
    *number = static_cast<int64_t>(held);
    return known;
}
constexpr NumberAccess kCheckNumber{checkNumber, nullptr};

constexpr char kCodes[][5] = {"CHKB", "CHKW", "CHKL", "CHKQ", "CHKO"};

}  // namespace

bool isCheckField(const FieldInstance* instance) {
    const FieldType* type = instance->field->fieldType;
    return type && type->procs.readValue == kCheckProcs.readValue && instance->value;
}

bool checkFollows(const FieldInstance* instance) {
    return static_cast<const CheckValue*>(instance->value)->follows;
}

void noteComputed(FieldInstance* instance, int64_t computed) {
    CheckValue* r = record(instance->value);
    r->computed = computed;
    r->follows = matches(r, computed);
}

bool followComputed(FieldInstance* shown, const FieldInstance* read) {
    CheckValue* r = record(shown->value);
    r->computed = static_cast<const CheckValue*>(read->value)->computed;
    if (!r->follows || matches(r, r->computed)) return false;
    int width = widthOf(r->run.code);
    if (width > 0 && r->run.length == static_cast<uint64_t>(width)) {
        byteorder::toBytes(static_cast<uint64_t>(r->computed), r->run.bytes, width, isUpperCaseCode(r->run.code));
        return true;
    }
    NumberText text = readNumberText(r->run.bytes, r->run.length, true);
    if (text.form == NumberForm::NotNumber || r->computed < 0 ||
        static_cast<uint64_t>(r->computed) > largestNumber(text, true))
        return false;
    writeNumberText(r->run.bytes, text, static_cast<uint64_t>(r->computed), true);
    return true;
}

void registerCheckTypes() {
    for (const char* code : kCodes) {
        FieldCode upper = fieldCodeOf(code);
        registerFieldType(upper, UIStrings[usChecksumName], 0, &kCheckProcs);
        registerFieldType(upper | 0x20202020u, UIStrings[usChecksumName], 0, &kCheckProcs);
    }
    registerNumberAccess(&kCheckProcs, &kCheckNumber);
}
