// The 6 variable-length number codes: ULEB, SLEB and UVLQ in both cases (the group order is the
// format's own, so the case changes nothing). One handler table; the record keeps the bytes read,
// so that a redundant encoding is written back as it was until the value is edited.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "document/document.h"
#include "fieldtypes/builtin_types.h"
#include "fieldtypes/handler_table.h"
#include "fieldtypes/host_calls.h"
#include "fieldtypes/integer_text.h"
#include "fieldtypes/number_access.h"
#include "fieldtypes/plain_value_slots.h"
#include "fieldtypes/registry.h"
#include "fieldtypes/value_drawing.h"
#include "fieldtypes/value_memory.h"
#include "fieldtypes/value_query.h"
#include "fieldtypes/varint_codec.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"

namespace {

struct VarintValue {
    FieldCode code;
    uint8_t count;  // groups in bytes
    unsigned char bytes[kMaxVarintGroups];
    uint64_t value;
};

constexpr size_t kTextSize = 32;
constexpr uint64_t kVlqMaximum = 0x0FFFFFFF;  // four groups, as MIDI writes them

VarintValue* record(void* value) {
    return static_cast<VarintValue*>(value);
}

VarintKind kindOf(FieldCode code) {
    switch (code & 0xDFDFDFDFu) {
        case makeFieldCode("SLEB"):
            return VarintKind::SignedLeb;
        case makeFieldCode("UVLQ"):
            return VarintKind::Vlq;
        default:
            return VarintKind::UnsignedLeb;
    }
}

void formatNumber(VarintKind kind, uint64_t number, char* text) {
    if (kind == VarintKind::SignedLeb) {
        std::snprintf(text, kTextSize, "%" PRId64, static_cast<int64_t>(number));
    } else {
        std::snprintf(text, kTextSize, "%" PRIu64, number);
    }
}

// False for text that is no number, or a MIDI number beyond its four groups. A signed number keeps
// its two's complement; an unsigned one takes the whole 64 bits, a negative one giving 0.
bool parse(VarintKind kind, const char* text, uint64_t* number) {
    if (kind == VarintKind::SignedLeb) return parseClamped(text, 10, INT64_MIN, INT64_MAX, number);
    if (kind == VarintKind::UnsignedLeb) return parseClamped(text, 10, 0, UINT64_MAX, number);
    // Clamped one past each bound, so that a number outside them is told apart: -1 is all ones.
    uint64_t vlq;
    if (!parseClamped(text, 10, -1, kVlqMaximum + 1, &vlq) || vlq > kVlqMaximum) return false;
    *number = vlq;
    return true;
}

// MIDI numbers are refused outside their range rather than clamped: a clamped one would be a
// different number silently.
const char* refuseVlq(const char* text) {
    if (const char* reason = refuseNonDecimal(text)) return reason;
    uint64_t number;
    return parse(VarintKind::Vlq, text, &number) ? nullptr : UIStrings[usVlqOutOfRange];
}

void setNumber(VarintValue* r, uint64_t number) {
    r->value = number;
    r->count = static_cast<uint8_t>(encodeVarint(kindOf(r->code), number, r->bytes));
}

struct VarintSlots : PlainValueSlots<VarintValue, VarintSlots> {
    static void* createValue(FieldInstance* instance) {
        VarintValue initial{hostCodeOf(instance), 0, {}, 0};
        setNumber(&initial, 0);
        return newValue(initial);
    }

    static void format(const VarintValue* r, char* text) { formatNumber(kindOf(r->code), r->value, text); }

    // At most ten one-byte reads: the run of groups is cut off there, however long the data.
    static int64_t readValue(FieldInstance*, void* value, TIOStream* stream, int64_t) {
        VarintValue* r = record(value);
        unsigned char bytes[kMaxVarintGroups];
        for (int count = 0; count < kMaxVarintGroups;) {
            int64_t got = hostRead(stream, &bytes[count], 1);
            if (got < 0) return got;
            if (got == 0) return kResultPastEnd;
            if (bytes[count++] & 0x80) continue;
            uint64_t number;
            if (!decodeVarint(kindOf(r->code), bytes, count, &number)) return kResultUnreadable;
            r->value = number;
            r->count = static_cast<uint8_t>(count);
            std::memcpy(r->bytes, bytes, count);
            return count;
        }
        return kResultUnreadable;
    }

    static int64_t writeValue(FieldInstance*, void* value, TIOStream* stream, int64_t) {
        return hostWrite(stream, record(value)->bytes, record(value)->count);
    }

    static int64_t valueSize(FieldInstance*, void* value, int64_t) { return record(value)->count; }

    static int editValue(FieldInstance* instance, void* value, int32_t*, int32_t*) {
        const VarintValue* r = record(value);
        const VarintKind kind = kindOf(r->code);
        char text[kTextSize], low[kTextSize], high[kTextSize];
        formatNumber(kind, r->value, text);
        formatNumber(kind, kind == VarintKind::SignedLeb ? uint64_t{1} << 63 : 0, low);
        formatNumber(kind,
                     kind == VarintKind::SignedLeb ? INT64_MAX
                     : kind == VarintKind::Vlq     ? kVlqMaximum
                                                   : UINT64_MAX,
                     high);
        return askForValue(instance, value,
                           promptText(UIStrings[usValuePrompt], hostCaptionOf(instance), low, high), text,
                           kind == VarintKind::Vlq ? refuseVlq : refuseNonDecimal, setValueFromText);
    }

    // The edited value takes its shortest encoding.
    static int setValueFromText(FieldInstance*, void* value, const char* text) {
        VarintValue* r = record(value);
        uint64_t number;
        if (!parse(kindOf(r->code), text, &number)) return 0;
        setNumber(r, number);
        return 1;
    }
};

constexpr FieldTypeProcs kVarintProcs = handlerTableOf<VarintSlots>();

bool varintNumber(const void* value, int64_t* number) {
    *number = static_cast<int64_t>(static_cast<const VarintValue*>(value)->value);
    return true;
}
constexpr NumberAccess kVarintNumber{varintNumber, nullptr};

const FieldTypeRegistration kVarintTypes[] = {
    {makeFieldCode("ULEB"), 74, 0, &kVarintProcs}, {makeFieldCode("SLEB"), 75, 0, &kVarintProcs},
    {makeFieldCode("UVLQ"), 76, 0, &kVarintProcs}, {makeFieldCode("uleb"), 74, 0, &kVarintProcs},
    {makeFieldCode("sleb"), 75, 0, &kVarintProcs}, {makeFieldCode("uvlq"), 76, 0, &kVarintProcs},
};

}  // namespace

void registerVarintTypes() {
    registerFieldTypes(kVarintTypes, static_cast<int>(sizeof kVarintTypes / sizeof kVarintTypes[0]));
    registerNumberAccess(&kVarintProcs, &kVarintNumber);
}
