#pragma once
// Byte streams on files, with 64-bit positions and counts. TIOHandle keeps a buffer, so that the
// many small reads and writes of binding and saving cost no system call each.
#include <cstdint>

#include "platform/types.h"

class TIOStream {
  public:
    virtual ~TIOStream() = default;
    virtual int64_t Position() = 0;
    virtual int64_t Size() = 0;
    // origin: 0 from the start, 1 from the current position, 2 from the end. The new position,
    // or 0 when the stream cannot move there.
    virtual int64_t Seek(int64_t offset, int origin) = 0;
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    virtual uint32_t Capabilities() = 0;

    // Copies from the source's position to this stream's position in chunks of 4096 bytes;
    // count -1 copies until the source is exhausted. The number of bytes read.
    int64_t CopyFrom(TIOStream* source, int64_t count);
};

class TIOHandle : public TIOStream {
  public:
    int64_t Position() override;
    int64_t Size() override;
    int64_t Seek(int64_t offset, int origin) override;
    int64_t Read(void* buffer, int64_t count) override;
    // 0 on a handle without write access, and once a write has failed.
    int64_t Write(const void* buffer, int64_t count) override;

    bool IsOpen() const;
    // Writes what is buffered. False when any write on this stream has failed so far.
    bool Flush();

  protected:
    TIOHandle();
    ~TIOHandle() override;

    platform::FileHandle handle;
    uint32_t access = 0;  // GENERIC_READ and/or GENERIC_WRITE, as the handle was opened

  private:
    static constexpr int64_t kBufferSize = 64 * 1024;
    bool ensureBuffer();
    void dropReadAhead();
    int64_t readDirect(void* buffer, int64_t count);
    int64_t writeDirect(const void* buffer, int64_t count);

    char* buffer_ = nullptr;
    int64_t readPos_ = 0;   // next unread byte in the buffer
    int64_t readLen_ = 0;   // bytes read ahead into the buffer
    int64_t writeLen_ = 0;  // bytes waiting to be written
    int64_t position_ = 0;  // the position the caller sees
    bool writeFailed_ = false;
};

class TIOFile : public TIOHandle {
  public:
    // accessMask: GENERIC_READ and/or GENERIC_WRITE; disposition: a CreateFileA creation disposition.
    TIOFile(const char* name, uint32_t accessMask, uint32_t disposition);
    ~TIOFile() override;
    uint32_t Capabilities() override;
};
