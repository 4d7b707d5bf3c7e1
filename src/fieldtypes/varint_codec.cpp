#include "fieldtypes/varint_codec.h"

namespace {

bool decodeLeb(bool isSigned, const unsigned char* groups, int count, uint64_t* number) {
    uint64_t value = 0;
    int shift = 0;
    for (int i = 0; i < count; ++i, shift += 7) {
        uint64_t group = groups[i] & 0x7F;
        // Only the 64th bit fits in the tenth group; a signed one repeats it in the rest.
        if (shift == 63 && group != 0 && group != (isSigned ? 0x7F : 1)) return false;
        value |= group << shift;
    }
    if (isSigned && shift < 64 && count > 0 && (groups[count - 1] & 0x40)) value |= ~uint64_t{0} << shift;
    *number = value;
    return true;
}

int encodeLeb(bool isSigned, uint64_t number, unsigned char* groups) {
    int count = 0;
    for (;;) {
        unsigned char group = number & 0x7F;
        number = isSigned ? static_cast<uint64_t>(static_cast<int64_t>(number) >> 7) : number >> 7;
        bool last = isSigned ? (number == 0 && !(group & 0x40)) || (number == ~uint64_t{0} && (group & 0x40))
                             : number == 0;
        groups[count++] = last ? group : group | 0x80;
        if (last) return count;
    }
}

}  // namespace

bool decodeVarint(VarintKind kind, const unsigned char* groups, int count, uint64_t* number) {
    if (kind != VarintKind::Vlq) return decodeLeb(kind == VarintKind::SignedLeb, groups, count, number);
    uint64_t value = 0;
    for (int i = 0; i < count; ++i) {
        if (value >> 57) return false;
        value = value << 7 | (groups[i] & 0x7F);
    }
    *number = value;
    return true;
}

int encodeVarint(VarintKind kind, uint64_t number, unsigned char groups[kMaxVarintGroups]) {
    if (kind != VarintKind::Vlq) return encodeLeb(kind == VarintKind::SignedLeb, number, groups);
    int count = 1;
    while (count < kMaxVarintGroups && number >> (7 * count)) ++count;
    for (int i = 0; i < count; ++i) {
        int shift = 7 * (count - 1 - i);
        groups[i] = static_cast<unsigned char>((number >> shift & 0x7F) | (i + 1 < count ? 0x80 : 0));
    }
    return count;
}
