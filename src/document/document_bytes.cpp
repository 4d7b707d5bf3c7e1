#include "document/document_bytes.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "document/instances.h"
#include "document/places.h"
#include "document/folds.h"
#include "document/rest.h"
#include "document/saving.h"
#include "shell/streams.h"

namespace {

// Takes what saving would write and keeps only what falls in the window.
class WindowSink : public TIOStream {
  public:
    explicit WindowSink(const ByteWindow& window) : window_(window) {}

    int64_t from() const { return window_.from; }
    int64_t end() const { return window_.from + window_.count; }
    // How far into bytes starting at offset the window starts.
    int64_t skipOf(int64_t offset) const { return std::max<int64_t>(window_.from - offset, 0); }

    void startRow(int64_t offset, uint8_t mark) {
        at_ = offset;
        mark_ = mark;
    }
    // The part of [from, to) in the window, as indexes of it; empty when none.
    void overlap(int64_t from, int64_t to, int64_t* first, int64_t* last) const {
        *first = std::max(from, window_.from) - window_.from;
        *last = std::min(to, end()) - window_.from;
    }
    void markUnknown(int64_t from, int64_t to) {
        int64_t first, last;
        overlap(from, to, &first, &last);
        for (int64_t i = first; i < last; ++i) window_.marks[i] = kByteUnknown;
    }
    // Room for the bytes of [from, to) that fall in the window, marked as the row's; null for none.
    unsigned char* claim(int64_t from, int64_t to, int64_t* length) {
        int64_t first, last;
        overlap(from, to, &first, &last);
        *length = last - first;
        if (*length <= 0) return nullptr;
        std::memset(window_.marks + first, mark_, static_cast<size_t>(*length));
        return window_.bytes + first;
    }

    int64_t Position() override { return at_; }
    int64_t Size() override { return at_; }
    int64_t Seek(int64_t, int) override { return 0; }
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void* buffer, int64_t count) override {
        if (count <= 0) return 0;
        int64_t length;
        if (unsigned char* into = claim(at_, at_ + count, &length)) {
            std::memcpy(into, static_cast<const unsigned char*>(buffer) + skipOf(at_),
                        static_cast<size_t>(length));
        }
        at_ += count;
        return count;
    }
    uint32_t Capabilities() override { return 0; }

  private:
    const ByteWindow& window_;
    int64_t at_ = 0;
    uint8_t mark_ = 0;
};

void readRest(FieldInstance* row, int64_t rowOffset, int64_t size, WindowSink& sink, RestReader& reader) {
    int64_t length;
    unsigned char* into = sink.claim(rowOffset, rowOffset + size, &length);
    if (!into) return;
    int64_t skip = sink.skipOf(rowOffset);
    if (!reader.read(row, skip, into, length)) sink.markUnknown(rowOffset + skip, rowOffset + skip + length);
}

// Rows from row (at rowOffset) on, up to last (null: to the end), until the window is full; where
// they end.
int64_t fillRows(FieldInstance* row, const FieldInstance* last, int64_t rowOffset, WindowSink& sink, RestReader& reader) {
    int64_t at = rowOffset;
    for (; row && at < sink.end(); row = row == last ? nullptr : row->next) {
        int64_t size = instanceSize(row);
        if (at + size > sink.from()) {
            sink.startRow(at, static_cast<uint8_t>(row->flags & (kInstanceSelected | kInstanceCurrent)));
            if (isRestInstance(row) || isFoldInstance(row)) {
                readRest(row, at, size, sink, reader);
            } else {
                int64_t written = writeInstance(row, &sink, at);
                // What the row's type could not give is unknown, so the rows after it keep their place.
                sink.markUnknown(written < 0 ? at : sink.Position(), at + size);
            }
        }
        at += size;
    }
    return at;
}

}  // namespace

int32_t readDocumentBytes(FieldInstance* row, int64_t rowOffset, const ByteWindow& window) {
    WindowSink sink(window);
    RestReader reader;
    int64_t at = fillRows(row, nullptr, rowOffset, sink, reader);
    return static_cast<int32_t>(std::clamp<int64_t>(at - window.from, 0, window.count));
}

int32_t readPlacedBytes(Document* document, const ByteWindow& window) {
    std::vector<Stretch> stretches;
    try {
        if (!placedStretches(document, stretches)) return 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
    std::memset(window.bytes, 0, static_cast<size_t>(window.count));
    std::memset(window.marks, 0, static_cast<size_t>(window.count));
    WindowSink sink(window);
    RestReader reader;
    int64_t end = 0;
    // The last first, so that of bytes two stretches share the first one's stand, as saving writes them.
    for (auto stretch = stretches.rbegin(); stretch != stretches.rend(); ++stretch) {
        end = std::max(end, stretch->end);
        if (stretch->start < sink.end() && stretch->end > window.from)
            fillRows(stretch->first, stretch->last, stretch->start, sink, reader);
    }
    return static_cast<int32_t>(std::clamp<int64_t>(end - window.from, 0, window.count));
}
