#pragma once
// A stream over bytes in memory, so field types can be read and written without files.
#include <cstring>
#include <vector>

#include "shell/streams.h"

class MemoryStream : public TIOStream {
  public:
    explicit MemoryStream(std::vector<unsigned char> bytes = {}) : bytes_(std::move(bytes)) {}

    int64_t Position() override { return position_; }
    int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
    int64_t Seek(int64_t offset, int origin) override {
        int64_t base = origin == 0 ? 0 : origin == 1 ? position_ : Size();
        if (origin < 0 || origin > 2 || base + offset < 0) return 0;
        return position_ = base + offset;
    }
    int64_t Read(void* buffer, int64_t count) override {
        int64_t available = Size() - position_;
        int64_t take = count < available ? count : available;
        if (take <= 0) return 0;
        std::memcpy(buffer, bytes_.data() + position_, take);
        position_ += take;
        return take;
    }
    int64_t Write(const void* buffer, int64_t count) override {
        if (count <= 0) return 0;
        const unsigned char* from = static_cast<const unsigned char*>(buffer);
        if (static_cast<int64_t>(bytes_.size()) < position_ + count) bytes_.resize(position_ + count);
        std::memcpy(bytes_.data() + position_, from, count);
        position_ += count;
        return count;
    }
    uint32_t Capabilities() override { return 0x1F; }

    const std::vector<unsigned char>& bytes() const { return bytes_; }

  private:
    std::vector<unsigned char> bytes_;
    int64_t position_ = 0;
};
