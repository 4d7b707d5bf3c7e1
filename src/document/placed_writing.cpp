#include "document/placed_writing.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "document/instances.h"
#include "document/places.h"
#include "document/saving.h"
#include "shell/memory_stream.h"
#include "shell/streams.h"

namespace {

// Passes bytes on to the file after dropping the first ones, which an earlier stretch wrote.
class DroppingStream : public TIOStream {
  public:
    DroppingStream(TIOStream* file, int64_t drop) : file_(file), drop_(drop) {}
    int64_t Position() override { return file_->Position(); }
    int64_t Size() override { return file_->Size(); }
    int64_t Seek(int64_t, int) override { return 0; }
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void* buffer, int64_t count) override {
        int64_t dropped = std::min(drop_, count);
        drop_ -= dropped;
        if (dropped == count) return count;
        int64_t written = file_->Write(static_cast<const char*>(buffer) + dropped, count - dropped);
        return written == count - dropped ? count : dropped + std::max<int64_t>(written, 0);
    }
    uint32_t Capabilities() override { return 0; }

  private:
    TIOStream* file_;
    int64_t drop_;
};

// Zeros where no row stands: after an offset was edited to point past the file's end.
int64_t writeZeros(TIOStream* stream, int64_t count) {
    static const unsigned char zeros[4096] = {};
    for (int64_t left = count; left > 0;) {
        int64_t part = std::min<int64_t>(left, sizeof zeros);
        if (stream->Write(zeros, part) != part) return kResultWriteFailed;
        left -= part;
    }
    return count;
}

int64_t writeStretch(const Stretch& stretch, TIOStream* stream, int64_t written) {
    DroppingStream tail(stream, written - stretch.start);
    TIOStream* target = written > stretch.start ? static_cast<TIOStream*>(&tail) : stream;
    int64_t at = stretch.start;
    for (FieldInstance* instance = stretch.first;; instance = instance->next) {
        int64_t size = instanceSize(instance);
        if (size > 0) {
            int64_t result = writeInstance(instance, target, at);
            if (result < 0) return result;
            at += size;
        }
        if (instance == stretch.last) break;
    }
    return at;
}

}  // namespace

bool stretchesAgree(Document* document, TIOStream* image) {
    std::vector<Stretch> stretches;
    try {
        if (!placedStretches(document, stretches)) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    unsigned char mine[4096], theirs[4096];
    for (const Stretch& stretch : stretches) {
        MemoryStream own;
        if (writeStretch(stretch, &own, stretch.start) != stretch.end || own.Seek(0, 0) != 0) return false;
        if (image->Seek(stretch.start, 0) != stretch.start && stretch.start != 0) return false;
        for (int64_t left = stretch.end - stretch.start; left > 0;) {
            int64_t part = std::min<int64_t>(left, sizeof mine);
            if (own.Read(mine, part) != part || image->Read(theirs, part) != part ||
                std::memcmp(mine, theirs, static_cast<size_t>(part)) != 0)
                return false;
            left -= part;
        }
    }
    return true;
}

int64_t writeByPlace(Document* document, TIOStream* stream, FieldInstance* winner) {
    std::vector<Stretch> stretches;
    try {
        if (!placedStretches(document, stretches)) return kResultNoMemory;
    } catch (const std::bad_alloc&) {
        return kResultNoMemory;
    }
    int64_t written = 0;
    for (const Stretch& stretch : stretches) {
        if (stretch.start > written && writeZeros(stream, stretch.start - written) < 0) return kResultWriteFailed;
        written = std::max(written, stretch.start);
        int64_t end = writeStretch(stretch, stream, written);
        if (end < 0) return end;
        written = std::max(written, end);
    }
    if (winner) {
        int64_t place = placeOf(document, winner);
        if (place < 0 || stream->Seek(place, 0) != place) return kResultWriteFailed;
        int64_t result = writeInstance(winner, stream, place);
        if (result < 0) return result;
        stream->Seek(written, 0);
    }
    return written;
}
