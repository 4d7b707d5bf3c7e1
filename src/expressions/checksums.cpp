#include "expressions/checksums.h"

namespace {

constexpr uint32_t kAdlerModulus = 65521;

struct CrcTable {
    uint32_t entries[256];
    constexpr CrcTable() : entries() {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
    }
};

constexpr CrcTable kCrc;

}  // namespace

RunningChecksum::RunningChecksum(expression::Op kind)
    : kind_(kind), state_(kind == expression::Op::Crc32 ? 0xFFFFFFFFu : kind == expression::Op::Adler32 ? 1 : 0) {}

void RunningChecksum::add(const unsigned char* bytes, size_t count) {
    switch (kind_) {
        case expression::Op::Crc32: {
            uint32_t c = static_cast<uint32_t>(state_);
            for (size_t i = 0; i < count; ++i) c = kCrc.entries[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
            state_ = c;
            break;
        }
        case expression::Op::Adler32: {
            uint64_t a = state_ & 0xFFFF, b = state_ >> 16;
            for (size_t i = 0; i < count; ++i) {
                a = (a + bytes[i]) % kAdlerModulus;
                b = (b + a) % kAdlerModulus;
            }
            state_ = b << 16 | a;
            break;
        }
        default:
            for (size_t i = 0; i < count; ++i) state_ += bytes[i];
            break;
    }
}

int64_t RunningChecksum::value() const {
    return static_cast<int64_t>(kind_ == expression::Op::Crc32 ? (~state_ & 0xFFFFFFFFu) : state_);
}
