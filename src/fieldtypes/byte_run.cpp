#include "fieldtypes/byte_run.h"

#include <cstddef>
#include <cstring>

#include "document/document.h"
#include "fieldtypes/host_calls.h"
#include "fieldtypes/value_memory.h"

namespace {

// Large runs arrive in reads of this size, so a stream is never asked for gigabytes at once.
constexpr int64_t kReadChunk = 64 * 1024;

}  // namespace

ByteRun* cloneRun(const ByteRun* run) {
    ByteRun* copy = newValue(ByteRun{run->code, 0, nullptr});
    if (!copy) return nullptr;
    if (!resizeRun(copy, run->length)) {
        deleteValue(copy);
        return nullptr;
    }
    if (run->length > 0) std::memcpy(copy->bytes, run->bytes, run->length);
    return copy;
}

void destroyRun(ByteRun* run) {
    if (!run) return;
    releaseRunBytes(run);
    deleteValue(run);
}

// The end is known before anything is allocated, so a run costs no more memory than its data.
int64_t readRunToEnd(ByteRun* run, TIOStream* stream, int64_t position) {
    const StreamProcs* procs = hostInterface->streamProcs;
    const int64_t end = procs->stSeek(stream, 0, 2);
    releaseRunBytes(run);
    if (procs->stSeek(stream, position, 0) != position) return kResultUnreadable;
    const uint64_t length = end > position ? static_cast<uint64_t>(end - position) : 0;
    if (!resizeRun(run, length)) return kResultNoMemory;
    for (uint64_t at = 0; at < length;) {
        const int64_t wanted = length - at < kReadChunk ? static_cast<int64_t>(length - at) : kReadChunk;
        const int64_t got = hostRead(stream, run->bytes + at, wanted);
        if (got <= 0) {
            releaseRunBytes(run);
            return got < 0 ? got : kResultPastEnd;
        }
        at += static_cast<uint64_t>(got);
    }
    return static_cast<int64_t>(length);
}

int64_t writeRun(const ByteRun* run, TIOStream* stream) {
    return run->length == 0 ? 0 : hostWrite(stream, run->bytes, static_cast<int64_t>(run->length));
}
