#pragma once
// Numbers as files hold them: big-endian for upper-case codes, little-endian for lower-case ones.
#include <cstdint>

namespace byteorder {

// The first `width` bytes as an unsigned number; the first byte is the most significant when
// bigEndian, else the least significant.
inline uint64_t fromBytes(const unsigned char* bytes, int width, bool bigEndian) {
    uint64_t number = 0;
    for (int i = 0; i < width; ++i) {
        int shift = bigEndian ? (width - 1 - i) * 8 : i * 8;
        number |= static_cast<uint64_t>(bytes[i]) << shift;
    }
    return number;
}

inline void toBytes(uint64_t number, unsigned char* bytes, int width, bool bigEndian) {
    for (int i = 0; i < width; ++i) {
        int shift = bigEndian ? (width - 1 - i) * 8 : i * 8;
        bytes[i] = static_cast<unsigned char>(number >> shift);
    }
}

// A number of `width` bytes taken as two's complement and widened.
inline int64_t signExtend(uint64_t number, int width) {
    if (width >= 8) return static_cast<int64_t>(number);
    int shift = 64 - width * 8;
    return static_cast<int64_t>(number << shift) >> shift;
}

}  // namespace byteorder
