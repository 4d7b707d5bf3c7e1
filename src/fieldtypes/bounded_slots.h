#pragma once
// The slots the fields whose length the binder bounds share: the binder ends the stream where the
// field ends, so the value is every byte from the position on, held as a byte run and written back
// as held. Each family instantiates its own, since number access tells families by their read slot.
#include <cstdint>
#include <string>

#include "fieldtypes/byte_run.h"
#include "fieldtypes/host_calls.h"
#include "fieldtypes/value_memory.h"

// Longer fields are not offered as text: the dialog would hold megabytes.
constexpr uint64_t kLongestEdited = 4096;

template <typename Family>
struct BoundedSlots {
    static ByteRun* run(void* value) { return static_cast<ByteRun*>(value); }

    static void* createValue(FieldInstance* instance) {
        return newValue(ByteRun{hostCodeOf(instance), 0, nullptr});
    }
    static void destroyValue(FieldInstance*, void* value) { destroyRun(run(value)); }
    static void* cloneValue(FieldInstance*, void* value) { return cloneRun(run(value)); }

    static int64_t readValue(FieldInstance*, void* value, TIOStream* stream, int64_t position) {
        return readRunToEnd(run(value), stream, position);
    }
    static int64_t writeValue(FieldInstance*, void* value, TIOStream* stream, int64_t) {
        return writeRun(run(value), stream);
    }
    static int64_t valueSize(FieldInstance*, void* value, int64_t) {
        return static_cast<int64_t>(run(value)->length);
    }
};

// Asks under the prompt with nothing proposed and refuses every answer, saying why; 0.
int refuseTooLongToEdit(FieldInstance* instance, void* value, const std::string& prompt, uint64_t length);
