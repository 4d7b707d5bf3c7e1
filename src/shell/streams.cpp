#include "shell/streams.h"

#include <cstring>
#include <new>

#include "platform/file_handle.h"

using namespace platform;

// One system call moves at most this much, so counts of 4 GiB and more go through whole.
static constexpr int64_t kMaxChunk = 1 << 30;

int64_t TIOStream::CopyFrom(TIOStream* source, int64_t count) {
    char chunk[4096];
    int64_t total = 0;
    if (count < -1) return 0;
    for (;;) {
        int64_t want = count == -1 ? static_cast<int64_t>(sizeof chunk)
                                   : (count < static_cast<int64_t>(sizeof chunk) ? count : sizeof chunk);
        if (want <= 0) break;
        int64_t got = source->Read(chunk, want);
        if (got <= 0) break;
        Write(chunk, got);
        total += got;
        if (count != -1) count -= got;
    }
    return total;
}

TIOHandle::TIOHandle() : handle(invalidFileHandle()) {}

TIOHandle::~TIOHandle() {
    delete[] buffer_;
}

bool TIOHandle::IsOpen() const {
    return handle != invalidFileHandle();
}

bool TIOHandle::ensureBuffer() {
    if (!buffer_) buffer_ = new (std::nothrow) char[kBufferSize];
    return buffer_ != nullptr;
}

bool TIOHandle::Flush() {
    if (IsOpen() && writeLen_ > 0) {
        int64_t pending = writeLen_;
        writeLen_ = 0;
        if (writeDirect(buffer_, pending) != pending) writeFailed_ = true;
    }
    return !writeFailed_;
}

// Puts the file pointer back where the caller believes it is.
void TIOHandle::dropReadAhead() {
    int64_t unread = readLen_ - readPos_;
    readLen_ = readPos_ = 0;
    int64_t ignored;
    if (unread > 0) setFilePointer(handle, -unread, kFileCurrent, &ignored);
}

int64_t TIOHandle::readDirect(void* buffer, int64_t count) {
    int64_t total = 0;
    while (total < count) {
        int64_t chunk = count - total < kMaxChunk ? count - total : kMaxChunk;
        uint32_t got = 0;
        if (!readFile(handle, static_cast<char*>(buffer) + total, static_cast<uint32_t>(chunk), &got) ||
            got == 0) {
            break;
        }
        total += got;
    }
    return total;
}

int64_t TIOHandle::writeDirect(const void* buffer, int64_t count) {
    int64_t total = 0;
    while (total < count) {
        int64_t chunk = count - total < kMaxChunk ? count - total : kMaxChunk;
        uint32_t done = 0;
        if (!writeFile(handle, static_cast<const char*>(buffer) + total, static_cast<uint32_t>(chunk),
                       &done) ||
            done == 0) {
            writeFailed_ = true;
            break;
        }
        total += done;
    }
    return total;
}

int64_t TIOHandle::Position() {
    return IsOpen() ? position_ : 0;
}

int64_t TIOHandle::Size() {
    if (!IsOpen()) return 0;
    Flush();
    return getFileSize(handle);
}

int64_t TIOHandle::Seek(int64_t offset, int origin) {
    if (!IsOpen() || origin < 0 || origin > 2) return 0;
    // A reader that looked ahead and goes back within what is buffered keeps the buffer.
    int64_t bufferStart = position_ - readPos_;
    if (origin == 0 && readLen_ > 0 && offset >= bufferStart && offset - bufferStart <= readLen_) {
        readPos_ = offset - bufferStart;
        position_ = offset;
        return offset;
    }
    Flush();
    dropReadAhead();
    int64_t target = offset;
    uint32_t method = origin == 2 ? kFileEnd : kFileBegin;
    if (origin == 1 && __builtin_add_overflow(position_, offset, &target)) return 0;
    int64_t reached = 0;
    if (!setFilePointer(handle, target, method, &reached)) return 0;
    position_ = reached;
    return reached;
}

int64_t TIOHandle::Read(void* buffer, int64_t count) {
    if (!IsOpen() || count <= 0) return 0;
    Flush();
    char* out = static_cast<char*>(buffer);
    int64_t total = 0;
    while (total < count) {
        if (readPos_ < readLen_) {
            int64_t take = readLen_ - readPos_ < count - total ? readLen_ - readPos_ : count - total;
            std::memcpy(out + total, buffer_ + readPos_, take);
            readPos_ += take;
            total += take;
            continue;
        }
        if (count - total >= kBufferSize || !ensureBuffer()) {
            total += readDirect(out + total, count - total);
            break;
        }
        readPos_ = 0;
        readLen_ = readDirect(buffer_, kBufferSize);
        if (readLen_ == 0) break;
    }
    position_ += total;
    return total;
}

int64_t TIOHandle::Write(const void* buffer, int64_t count) {
    if (!IsOpen() || !(access & kGenericWrite) || writeFailed_ || count <= 0) return 0;
    dropReadAhead();
    int64_t written;
    if (count < kBufferSize && ensureBuffer()) {
        if (writeLen_ + count > kBufferSize) Flush();
        std::memcpy(buffer_ + writeLen_, buffer, count);
        writeLen_ += count;
        written = count;
    } else {
        Flush();
        written = writeDirect(buffer, count);
    }
    position_ += written;
    return written;
}

TIOFile::TIOFile(const char* name, uint32_t accessMask, uint32_t disposition) {
    access = accessMask;
    handle = createFile(name, accessMask, disposition);
}

TIOFile::~TIOFile() {
    if (IsOpen()) {
        Flush();
        closeHandle(handle);
        handle = invalidFileHandle();
    }
}

uint32_t TIOFile::Capabilities() {
    uint32_t caps = 0x01 | 0x02 | 0x04;
    if (access & kGenericRead) caps |= 0x08;
    if (access & kGenericWrite) caps |= 0x10;
    return caps;
}
