#pragma once
// Bytes a value holds, however many, in value memory: the strings' and those of the fields whose
// length the binder bounds.
#include <cstddef>
#include <cstdint>

#include "fieldtypes/field_type.h"
#include "fieldtypes/value_memory.h"

class TIOStream;

struct ByteRun {
    FieldCode code;
    uint64_t length;
    unsigned char* bytes;  // null when length is 0
};

// Inline: every string row of a binding resizes a run.
inline void releaseRunBytes(ByteRun* run) {
    releaseValue(run->bytes, run->length);
    run->bytes = nullptr;
    run->length = 0;
}

// False without memory for n bytes; the run is empty then.
inline bool resizeRun(ByteRun* run, uint64_t n) {
    releaseRunBytes(run);
    if (n == 0) return true;
    if (n > static_cast<uint64_t>(PTRDIFF_MAX)) return false;
    run->bytes = static_cast<unsigned char*>(allocateValue(n));
    if (!run->bytes) return false;
    run->length = n;
    return true;
}
// Null without memory.
ByteRun* cloneRun(const ByteRun* run);
void destroyRun(ByteRun* run);

// Every byte from the position to the stream's end; the bytes held, or a result below 0 with the run
// empty.
int64_t readRunToEnd(ByteRun* run, TIOStream* stream, int64_t position);
int64_t writeRun(const ByteRun* run, TIOStream* stream);

// The bytes of a byte-array row (BYTS, PADN, UPTO in either case); null for any other instance.
const ByteRun* byteArrayOf(const FieldInstance* instance);
