// The 40 integer codes: five widths, each one handler table shared by its four presentations and
// both byte orders. One template serves all widths.
#include <cstring>
#include <string>

#include "fieldtypes/builtin_types.h"
#include "fieldtypes/byte_shape.h"
#include "fieldtypes/byte_order.h"
#include "fieldtypes/handler_table.h"
#include "fieldtypes/host_calls.h"
#include "fieldtypes/integer_text.h"
#include "fieldtypes/number_access.h"
#include "fieldtypes/plain_value_slots.h"
#include "fieldtypes/registry.h"
#include "fieldtypes/value_drawing.h"
#include "fieldtypes/value_memory.h"
#include "fieldtypes/value_query.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"

namespace {

template <typename T>
struct IntegerValue {
    FieldCode code;
    T value;
};

constexpr size_t kTextSize = 32;

// Bytes is the width in the file; 24-bit values are held in 32 bits.
template <typename T, int Bytes = sizeof(T)>
struct IntegerFamily : PlainValueSlots<IntegerValue<T>, IntegerFamily<T, Bytes>> {
    using Record = IntegerValue<T>;
    static constexpr int kBytes = Bytes;

    static bool byteShape(FieldCode, ByteShape* shape) {
        *shape = ByteShape{kBytes, 0, false};
        return true;
    }
    static constexpr const char* kSuffix = kBytes == 1   ? "BYT"
                                           : kBytes == 2 ? "WRD"
                                           : kBytes == 3 ? "TRI"
                                           : kBytes == 4 ? "LNG"
                                                         : "QWD";

    static Record* record(void* value) { return static_cast<Record*>(value); }

    static Presentation presentation(const Record* r) { return presentationOf(r->code, kSuffix); }

    static void format(const Record* r, char* text) {
        formatInteger(presentation(r), kBytes, r->value, text, kTextSize);
    }

    static void* createValue(FieldInstance* instance) { return newValue(Record{hostCodeOf(instance), 0}); }

    // Bytes and words keep the bytes that did not arrive (zero in a new record); longer values
    // change only when every byte arrived.
    static int64_t readValue(FieldInstance*, void* value, TIOStream* stream, int64_t) {
        Record* r = record(value);
        constexpr bool keepsPartialRead = kBytes <= 2;
        unsigned char bytes[kBytes];
        byteorder::toBytes(keepsPartialRead ? r->value : 0, bytes, kBytes, false);
        int64_t got = hostRead(stream, bytes, kBytes);
        if (keepsPartialRead || got == kBytes) {
            r->value = static_cast<T>(byteorder::fromBytes(bytes, kBytes, isUpperCaseCode(r->code)));
        }
        return got;
    }

    static int64_t writeValue(FieldInstance*, void* value, TIOStream* stream, int64_t) {
        const Record* r = record(value);
        unsigned char bytes[kBytes];
        byteorder::toBytes(r->value, bytes, kBytes, isUpperCaseCode(r->code));
        return hostWrite(stream, bytes, kBytes);
    }

    static int64_t valueSize(FieldInstance*, void*, int64_t) { return kBytes; }

    static constexpr uint64_t kMask = UINT64_MAX >> (64 - kBytes * 8);

    static bool getNumber(const void* value, int64_t* number) {
        const Record* r = static_cast<const Record*>(value);
        uint64_t bits = static_cast<uint64_t>(r->value) & kMask;
        Presentation shown = presentation(r);
        bool isSigned = shown == Presentation::Signed;
        *number = isSigned ? byteorder::signExtend(bits, kBytes) : static_cast<int64_t>(bits);
        return true;
    }

    static void setNumber(void* value, int64_t number) {
        record(value)->value = static_cast<T>(static_cast<uint64_t>(number) & kMask);
    }
    static constexpr NumberAccess kNumberAccess{getNumber, setNumber};

    // The base and the bounds entered text is clamped to; false for a code of no presentation.
    static bool range(const Record* r, int* base, int64_t* minimum, uint64_t* maximum) {
        constexpr int kBits = kBytes * 8;
        const Presentation shown = presentation(r);
        *base = shown == Presentation::Hex ? 16 : 10;
        // Shifts of the all-ones number stay defined at 64 bits.
        *maximum = UINT64_MAX >> (shown == Presentation::Signed ? 65 - kBits : 64 - kBits);
        *minimum = shown == Presentation::Signed ? -static_cast<int64_t>(*maximum) - 1 : 0;
        return shown != Presentation::Unknown;
    }

    // The prompt names the row and what it holds: "Width (0 to 65535)".
    static std::string prompt(FieldInstance* instance, const Record* r) {
        int base;
        int64_t minimum;
        uint64_t maximum;
        range(r, &base, &minimum, &maximum);
        char low[kTextSize], high[kTextSize];
        formatInteger(presentation(r), kBytes, static_cast<uint64_t>(minimum), low, sizeof low);
        formatInteger(presentation(r), kBytes, maximum, high, sizeof high);
        return promptText(UIStrings[usValuePrompt], hostCaptionOf(instance), low, high);
    }

    static int editValue(FieldInstance* instance, void* value, int32_t*, int32_t*) {
        const Record* r = record(value);
        char text[kTextSize];
        format(r, text);
        return askForValue(instance, value, prompt(instance, r), text,
                           presentation(r) == Presentation::Hex ? refuseNonHex : refuseNonDecimal,
                           setValueFromText);
    }

    // Text that is no number changes nothing; a number beyond the range stores the nearest bound.
    static int setValueFromText(FieldInstance*, void* value, const char* text) {
        Record* r = record(value);
        int base;
        int64_t minimum;
        uint64_t maximum, number;
        if (!range(r, &base, &minimum, &maximum) || !parseClamped(text, base, minimum, maximum, &number))
            return 0;
        r->value = static_cast<T>(number);
        return 1;
    }
};

constexpr FieldTypeProcs kByteTable = handlerTableOf<IntegerFamily<uint8_t>>();
constexpr FieldTypeProcs kWordTable = handlerTableOf<IntegerFamily<uint16_t>>();
constexpr FieldTypeProcs kTriTable = handlerTableOf<IntegerFamily<uint32_t, 3>>();
constexpr FieldTypeProcs kLongTable = handlerTableOf<IntegerFamily<uint32_t>>();
constexpr FieldTypeProcs kQuadTable = handlerTableOf<IntegerFamily<uint64_t>>();

const FieldTypeRegistration kIntegerTypes[] = {
    {makeFieldCode("DBYT"), 12, 0, &kByteTable}, {makeFieldCode("DWRD"), 13, 0, &kWordTable},
    {makeFieldCode("DLNG"), 14, 0, &kLongTable}, {makeFieldCode("DQWD"), 15, 0, &kQuadTable},
    {makeFieldCode("UBYT"), 16, 0, &kByteTable}, {makeFieldCode("UWRD"), 17, 0, &kWordTable},
    {makeFieldCode("ULNG"), 18, 0, &kLongTable}, {makeFieldCode("UQWD"), 19, 0, &kQuadTable},
    {makeFieldCode("dbyt"), 4, 0, &kByteTable},  {makeFieldCode("dwrd"), 5, 0, &kWordTable},
    {makeFieldCode("dlng"), 6, 0, &kLongTable},  {makeFieldCode("dqwd"), 7, 0, &kQuadTable},
    {makeFieldCode("ubyt"), 8, 0, &kByteTable},  {makeFieldCode("uwrd"), 9, 0, &kWordTable},
    {makeFieldCode("ulng"), 10, 0, &kLongTable}, {makeFieldCode("uqwd"), 11, 0, &kQuadTable},
    {makeFieldCode("FBYT"), 20, 0, &kByteTable}, {makeFieldCode("FWRD"), 21, 0, &kWordTable},
    {makeFieldCode("FLNG"), 22, 0, &kLongTable}, {makeFieldCode("FQWD"), 23, 0, &kQuadTable},
    {makeFieldCode("fbyt"), 24, 0, &kByteTable}, {makeFieldCode("fwrd"), 25, 0, &kWordTable},
    {makeFieldCode("flng"), 26, 0, &kLongTable}, {makeFieldCode("fqwd"), 27, 0, &kQuadTable},
    {makeFieldCode("HBYT"), 28, 0, &kByteTable}, {makeFieldCode("HWRD"), 29, 0, &kWordTable},
    {makeFieldCode("HLNG"), 30, 0, &kLongTable}, {makeFieldCode("HQWD"), 31, 0, &kQuadTable},
    {makeFieldCode("hbyt"), 32, 0, &kByteTable}, {makeFieldCode("hwrd"), 33, 0, &kWordTable},
    {makeFieldCode("hlng"), 34, 0, &kLongTable}, {makeFieldCode("hqwd"), 35, 0, &kQuadTable},
    {makeFieldCode("DTRI"), 65, 0, &kTriTable},  {makeFieldCode("UTRI"), 66, 0, &kTriTable},
    {makeFieldCode("HTRI"), 67, 0, &kTriTable},  {makeFieldCode("FTRI"), 68, 0, &kTriTable},
    {makeFieldCode("dtri"), 69, 0, &kTriTable},  {makeFieldCode("utri"), 70, 0, &kTriTable},
    {makeFieldCode("htri"), 71, 0, &kTriTable},  {makeFieldCode("ftri"), 72, 0, &kTriTable},
};

}  // namespace

void registerIntegerTypes() {
    registerFieldTypes(kIntegerTypes, static_cast<int>(sizeof kIntegerTypes / sizeof kIntegerTypes[0]));
    registerByteShape(&kByteTable, IntegerFamily<uint8_t>::byteShape);
    registerByteShape(&kWordTable, IntegerFamily<uint16_t>::byteShape);
    registerByteShape(&kTriTable, IntegerFamily<uint32_t, 3>::byteShape);
    registerByteShape(&kLongTable, IntegerFamily<uint32_t>::byteShape);
    registerByteShape(&kQuadTable, IntegerFamily<uint64_t>::byteShape);
    registerNumberAccess(&kByteTable, &IntegerFamily<uint8_t>::kNumberAccess);
    registerNumberAccess(&kWordTable, &IntegerFamily<uint16_t>::kNumberAccess);
    registerNumberAccess(&kTriTable, &IntegerFamily<uint32_t, 3>::kNumberAccess);
    registerNumberAccess(&kLongTable, &IntegerFamily<uint32_t>::kNumberAccess);
    registerNumberAccess(&kQuadTable, &IntegerFamily<uint64_t>::kNumberAccess);
}
