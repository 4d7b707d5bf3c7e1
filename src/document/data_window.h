#pragma once
// The stream field types read from while binding: the file, cut off at the end of the data the
// current row stands in (its sized section, bounded case or list, or the file), so that no field
// reads into what follows. It notes reads that came back short, and whether any byte read was not
// zero, for lists that end at an item of zeros. A field type may read ahead and seek back: the file
// moves only when read, and bytes read ahead count as seen only once the window passes them.
#include <cstdint>

#include "shell/streams.h"

class DataWindow : public TIOStream {
  public:
    // The file is read only through the window from now on, which keeps its position.
    DataWindow(TIOStream* file, int64_t end)
        : file_(file), end_(end), at_(file ? file->Position() : 0), fileAt_(at_) {}

    int64_t end() const { return end_; }
    void setEnd(int64_t end) { end_ = end; }
    int64_t at() const { return at_; }
    int64_t left() const { return end_ - at_; }

    // Clears the mark and gives what it was, so that nested items can each keep their own.
    bool takeNonZeroMark() {
        bool seen = nonZeroSeen_ || firstNonZero_ < at_;
        nonZeroSeen_ = false;
        firstNonZero_ = INT64_MAX;
        return seen;
    }
    void addNonZeroMark(bool seen) { nonZeroSeen_ = nonZeroSeen_ || seen; }
    // Whether a read came back short since the last call: the data ended inside it. Every short read
    // ends binding, so the mark is clear whenever a row starts.
    bool takeShortMark() {
        bool seen = shortRead_;
        shortRead_ = false;
        return seen;
    }

    // Bytes anywhere in the file, for checksums; the window keeps its own position. The bytes read.
    int64_t readAt(int64_t offset, void* buffer, int64_t count) {
        fileAt_ = -1;  // the next read seeks back to the window's position
        if (file_->Seek(offset, 0) != offset) return 0;
        return file_->Read(buffer, count);
    }

    int64_t Position() override { return at_; }
    int64_t Size() override { return end_; }
    int64_t Seek(int64_t offset, int origin) override;
    int64_t Read(void* buffer, int64_t count) override;
    // Binding never writes.
    int64_t Write(const void*, int64_t) override { return 0; }
    uint32_t Capabilities() override;

  private:
    TIOStream* file_;
    int64_t end_;
    int64_t at_;
    int64_t fileAt_;  // where the file stands; a seek moves only at_
    bool nonZeroSeen_ = false;
    int64_t firstNonZero_ = INT64_MAX;  // the first non-zero byte read since the mark was taken
    bool shortRead_ = false;
};
