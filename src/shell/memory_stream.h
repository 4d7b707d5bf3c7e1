#pragma once
// A stream in memory: written to grow it, or made of zeros of a given size without holding them,
// for the fields of a new item and for reading back what a document would save.
#include <cstdint>

#include "shell/streams.h"

class MemoryStream : public TIOStream {
  public:
    explicit MemoryStream(int64_t zeros = 0) : size_(zeros) {}
    ~MemoryStream() override { delete[] data_; }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    int64_t Position() override { return at_; }
    int64_t Size() override { return size_; }
    int64_t Seek(int64_t offset, int origin) override;
    int64_t Read(void* buffer, int64_t count) override;
    // Fewer bytes than asked when memory runs out.
    int64_t Write(const void* buffer, int64_t count) override;
    uint32_t Capabilities() override;

  private:
    unsigned char* data_ = nullptr;  // the bytes written; those after it up to size_ are zeros
    int64_t held_ = 0;
    int64_t capacity_ = 0;
    int64_t size_;
    int64_t at_ = 0;
};
