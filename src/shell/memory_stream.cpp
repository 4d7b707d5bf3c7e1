#include "shell/memory_stream.h"

#include <algorithm>
#include <cstring>
#include <new>

// Far beyond any document in memory; it keeps sizes in range of every allocator.
constexpr int64_t kLargest = int64_t{1} << 40;

int64_t MemoryStream::Seek(int64_t offset, int origin) {
    int64_t base = origin == 1 ? at_ : origin == 2 ? size_ : 0;
    if (offset < -base || offset > INT64_MAX - base) return 0;
    at_ = base + offset;
    return at_;
}

int64_t MemoryStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || at_ >= size_) return 0;
    int64_t n = std::min(count, size_ - at_);
    unsigned char* out = static_cast<unsigned char*>(buffer);
    int64_t fromData = std::max<int64_t>(0, std::min(n, held_ - at_));
    if (fromData > 0) std::memcpy(out, data_ + at_, static_cast<size_t>(fromData));
    std::memset(out + fromData, 0, static_cast<size_t>(n - fromData));
    at_ += n;
    return n;
}

int64_t MemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0 || at_ > INT64_MAX - count) return 0;
    int64_t end = at_ + count;
    if (end > capacity_) {
        if (end > kLargest) return 0;
        int64_t grown = std::min(kLargest, std::max(end, capacity_ * 2));
        unsigned char* larger = new (std::nothrow) unsigned char[static_cast<size_t>(grown)];
        if (!larger) return 0;
        if (held_ > 0) std::memcpy(larger, data_, static_cast<size_t>(held_));
        delete[] data_;
        data_ = larger;
        capacity_ = grown;
    }
    // Bytes between what was held and a write past it read as zeros.
    if (at_ > held_) std::memset(data_ + held_, 0, static_cast<size_t>(at_ - held_));
    std::memcpy(data_ + at_, buffer, static_cast<size_t>(count));
    at_ = end;
    held_ = std::max(held_, end);
    size_ = std::max(size_, end);
    return count;
}

uint32_t MemoryStream::Capabilities() {
    return 0x01 | 0x02 | 0x04 | 0x08 | 0x10;
}
