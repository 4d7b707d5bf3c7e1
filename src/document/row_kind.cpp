#include "document/row_kind.h"

#include "fieldtypes/byte_order.h"
#include "document/document.h"
#include "fieldtypes/field_type.h"
#include "templates/template.h"

namespace {

constexpr FieldCode kLowerCaseBits = 0x20202020u;

constexpr RowKind kind(RowRole role, int width = 0, bool zeroBased = false) {
    return RowKind{role, static_cast<uint8_t>(width), 0, false, zeroBased, false, false, false};
}

constexpr RowKind list(char bound, bool computed = false) {
    return RowKind{bound == 'C' ? RowRole::CountedList : RowRole::SizedList, 0, bound, false, false, computed, false, false};
}

constexpr RowKind data(bool bounded, bool check) {
    return RowKind{RowRole::Data, 0, 0, false, false, false, bounded, check};
}

constexpr RowKind computed(RowRole role) {
    return RowKind{role, 0, 0, false, false, true, false, false};
}

// The upper-case form of a control code; Data for every other code.
RowKind upperCaseKind(FieldCode code) {
    switch (code) {
        case makeFieldCode("CASE"):
            return kind(RowRole::Case);
        case makeFieldCode("KEYB"):
            return kind(RowRole::KeySection);
        case makeFieldCode("KEYE"):
            return kind(RowRole::KeyEnd);
        case makeFieldCode("SKPE"):
            return kind(RowRole::SectionEnd);
        case makeFieldCode("BCNT"):
            return kind(RowRole::Count, 1);
        case makeFieldCode("BZCT"):
            return kind(RowRole::Count, 1, true);
        case makeFieldCode("OCNT"):
        case makeFieldCode("WCNT"):
            return kind(RowRole::Count, 2);
        case makeFieldCode("WZCT"):
            return kind(RowRole::Count, 2, true);
        case makeFieldCode("LCNT"):
            return kind(RowRole::Count, 4);
        case makeFieldCode("LZCT"):
            return kind(RowRole::Count, 4, true);
        case makeFieldCode("QCNT"):
            return kind(RowRole::Count, 8);
        case makeFieldCode("QZCT"):
            return kind(RowRole::Count, 8, true);
        case makeFieldCode("BSIZ"):
        case makeFieldCode("BSKP"):
            return kind(RowRole::Size, 1);
        case makeFieldCode("WSIZ"):
        case makeFieldCode("WSKP"):
            return kind(RowRole::Size, 2);
        case makeFieldCode("LSIZ"):
        case makeFieldCode("LSKP"):
            return kind(RowRole::Size, 4);
        case makeFieldCode("QSIZ"):
        case makeFieldCode("QSKP"):
            return kind(RowRole::Size, 8);
        case makeFieldCode("BLEN"):
            return kind(RowRole::Length, 1);
        case makeFieldCode("WLEN"):
            return kind(RowRole::Length, 2);
        case makeFieldCode("LLEN"):
            return kind(RowRole::Length, 4);
        case makeFieldCode("QLEN"):
            return kind(RowRole::Length, 8);
        case makeFieldCode("LSTC"):
            return list('C');
        case makeFieldCode("LSTB"):
            return list('B');
        case makeFieldCode("LSTS"):
            return list('S');
        case makeFieldCode("LSTZ"):
            return list('Z');
        case makeFieldCode("LSTE"):
            return kind(RowRole::ListEnd);
        case makeFieldCode("LSTN"):
            return list('C', true);
        case makeFieldCode("LSTL"):
            return list('S', true);
        case makeFieldCode("LSTU"):
            return list('U', true);
        case makeFieldCode("SECT"):
            return computed(RowRole::Size);
        case makeFieldCode("KEYV"):
            return computed(RowRole::KeySection);
        case makeFieldCode("CALC"):
        case makeFieldCode("BITS"):
            return computed(RowRole::Derived);
        case makeFieldCode("WHEN"):
            return computed(RowRole::Condition);
        case makeFieldCode("ORDR"):
            return computed(RowRole::ByteOrder);
        case makeFieldCode("ATOF"):
            return computed(RowRole::Placed);
        case makeFieldCode("INCL"):
            return kind(RowRole::Structure);
        case makeFieldCode("LEAD"):
        case makeFieldCode("EXTN"):
            return kind(RowRole::FileKind);
        case makeFieldCode("KBYT"):
        case makeFieldCode("KUBT"):
            return kind(RowRole::Key, 1);
        case makeFieldCode("KWRD"):
        case makeFieldCode("KUWD"):
        case makeFieldCode("KRID"):
            return kind(RowRole::Key, 2);
        case makeFieldCode("KLNG"):
        case makeFieldCode("KULG"):
        case makeFieldCode("KNAM"):
            return kind(RowRole::Key, 4);
        case makeFieldCode("KQWD"):
        case makeFieldCode("KUQW"):
            return kind(RowRole::Key, 8);
        case makeFieldCode("BYTS"):
        case makeFieldCode("TEXT"):
        case makeFieldCode("OTXT"):
        case makeFieldCode("DTXT"):
        case makeFieldCode("PADN"):
        case makeFieldCode("UPTO"):
            return data(true, false);
        case makeFieldCode("CHKB"):
        case makeFieldCode("CHKW"):
        case makeFieldCode("CHKL"):
        case makeFieldCode("CHKQ"):
            return data(false, true);
        case makeFieldCode("CHKO"):
            return data(true, true);
        default:
            return kind(RowRole::Data);
    }
}

}  // namespace

RowKind rowKindOf(const char code[4]) {
    FieldCode written = fieldCodeOf(code);
    FieldCode upper = written & ~kLowerCaseBits;
    // Folding maps only letters onto letters, so a code that is all upper or all lower case
    // matches one of its two forms and a mixed one neither.
    if (written != upper && written != (upper | kLowerCaseBits)) return kind(RowRole::Data);
    RowKind result = upperCaseKind(upper);
    result.bigEndian = written == upper;
    return result;
}

bool readsBigEndian(const FieldInstance* instance) {
    if (instance->flags & kInstanceOrderChosen) return !(instance->flags & kInstanceLittleEndian);
    return rowKindOf(instance->field->code).bigEndian;
}

int64_t numberFromBytes(const unsigned char* bytes, const RowKind& kind) {
    uint64_t raw = byteorder::fromBytes(bytes, kind.width, kind.bigEndian);
    return kind.width == 1 ? static_cast<int64_t>(raw) : byteorder::signExtend(raw, kind.width);
}

int64_t largestCount(const RowKind& kind) {
    if (kind.width == 0) return 0;  // a computed number has no bytes to hold another
    if (kind.width == 1) return 255;
    return kind.width >= 8 ? INT64_MAX : (int64_t{1} << (kind.width * 8 - 1)) - 1;
}
