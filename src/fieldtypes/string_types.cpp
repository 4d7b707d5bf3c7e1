// The 10 string codes: a length prefix of 1, 2, 4 or 8 bytes and that many bytes, or (CSTR, cstr)
// the bytes up to a zero byte. One handler table; the code in the record gives the prefix width
// and byte order.
#include <climits>
#include <cstdint>
#include <cstring>
#include <new>

#include "document/document.h"
#include "fieldtypes/builtin_types.h"
#include "fieldtypes/byte_shape.h"
#include "fieldtypes/byte_order.h"
#include "fieldtypes/byte_run.h"
#include "fieldtypes/handler_table.h"
#include "fieldtypes/host_calls.h"
#include "fieldtypes/registry.h"
#include "fieldtypes/value_drawing.h"
#include "fieldtypes/value_memory.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"
#include "views/document/query_value.h"

namespace {

using StringValue = ByteRun;

// Shorter strings are simply read; a longer length is first checked against what the data holds.
constexpr uint64_t kCheckedLength = 64u << 10;

StringValue* record(void* value) {
    return static_cast<StringValue*>(value);
}

// Zero-terminated text is scanned in chunks of this size.
constexpr int64_t kScanChunk = 256;

// C in either case: no prefix; a zero byte ends the text.
bool isTerminated(FieldCode code) {
    return static_cast<char>(code & 0xDF) == 'C';
}

// P, W, L, Q in either case; 0 for zero-terminated text.
int prefixWidth(FieldCode code) {
    switch (static_cast<char>(code & 0xDF)) {
        case 'C':
            return 0;
        case 'W':
            return 2;
        case 'L':
            return 4;
        case 'Q':
            return 8;
        default:
            return 1;
    }
}

uint64_t lengthLimit(FieldCode code) {
    int width = prefixWidth(code);
    return width == 8 || width == 0 ? UINT64_MAX : (uint64_t{1} << (width * 8)) - 1;
}

// The bytes of the value after its text: the zero of zero-terminated text.
int terminatorBytes(FieldCode code) {
    return isTerminated(code) ? 1 : 0;
}

// Leaves the stream at the position.
uint64_t bytesLeft(TIOStream* stream, int64_t position) {
    const StreamProcs* procs = hostInterface->streamProcs;
    int64_t end = procs->stSeek(stream, 0, 2);
    procs->stSeek(stream, position, 0);
    return end > position ? static_cast<uint64_t>(end - position) : 0;
}

void setStringBytes(StringValue* r, const void* source, uint64_t n) {
    uint64_t limit = lengthLimit(r->code);
    if (n > limit) n = limit;
    if (resizeRun(r, n) && n > 0) std::memcpy(r->bytes, source, n);
}

// The bytes before the first zero from the position on, read in chunks no longer than the data left
// so that only a missing zero makes a read come back short; the stream is left at the position.
int64_t textLengthBeforeZero(TIOStream* stream, int64_t position) {
    const uint64_t left = bytesLeft(stream, position);
    unsigned char chunk[kScanChunk];
    uint64_t length = 0;
    for (;;) {
        if (length == left) return kResultPastEnd;
        int64_t wanted = left - length < kScanChunk ? static_cast<int64_t>(left - length) : kScanChunk;
        int64_t got = hostRead(stream, chunk, wanted);
        if (got < 0) return got;
        if (got < wanted) return kResultPastEnd;
        const void* zero = std::memchr(chunk, 0, static_cast<size_t>(got));
        if (zero) {
            length += static_cast<const unsigned char*>(zero) - chunk;
            break;
        }
        length += got;
    }
    if (hostInterface->streamProcs->stSeek(stream, position, 0) != position) return kResultUnreadable;
    return static_cast<int64_t>(length);
}

// The text and its zero; the scan has measured the text, so the buffer is no larger than the data.
int64_t readTerminated(StringValue* r, TIOStream* stream, int64_t position) {
    int64_t length = textLengthBeforeZero(stream, position);
    if (length < 0) return length;
    if (!resizeRun(r, static_cast<uint64_t>(length))) return kResultNoMemory;
    unsigned char zero;
    int64_t got = length > 0 ? hostRead(stream, r->bytes, length) : 0;
    if (got == length) got += hostRead(stream, &zero, 1);
    if (got != length + 1) {
        releaseRunBytes(r);
        return got < 0 ? got : kResultPastEnd;
    }
    return got;
}

// The slots, in the order of the handler table.
struct StringSlots {
    static void* createValue(FieldInstance* instance) {
        return newValue(StringValue{hostCodeOf(instance), 0, nullptr});
    }

    static void destroyValue(FieldInstance*, void* value) { destroyRun(record(value)); }

    static void* cloneValue(FieldInstance*, void* value) { return cloneRun(record(value)); }

    static void drawValue(FieldInstance*, void* value, PaintContext* paint, RowLayout* row) {
        const StringValue* r = record(value);
        int shown = r->length > INT_MAX ? INT_MAX : static_cast<int>(r->length);
        drawCaptionAndValue(*paint, *row, reinterpret_cast<const char*>(r->bytes), shown, fntNormal);
    }

    // A string the data does not hold whole is refused before any memory is taken for it.
    static int64_t readValue(FieldInstance*, void* value, TIOStream* stream, int64_t position) {
        StringValue* r = record(value);
        if (isTerminated(r->code)) return readTerminated(r, stream, position);
        int width = prefixWidth(r->code);
        unsigned char prefix[8] = {0};
        int64_t got = hostRead(stream, prefix, width);
        if (got < 0) return got;
        if (got < width) return kResultPastEnd;
        uint64_t n = byteorder::fromBytes(prefix, width, isUpperCaseCode(r->code));
        if (n > kCheckedLength && n > bytesLeft(stream, position + width)) return kResultPastEnd;
        if (!resizeRun(r, n)) return kResultNoMemory;
        if (n == 0) return 0;
        got = hostRead(stream, r->bytes, static_cast<int64_t>(n));
        if (got >= 0 && static_cast<uint64_t>(got) < n) got = kResultPastEnd;
        if (got < 0) releaseRunBytes(r);
        return got;
    }

    static int64_t writeValue(FieldInstance*, void* value, TIOStream* stream, int64_t) {
        const StringValue* r = record(value);
        int width = prefixWidth(r->code);
        unsigned char prefix[8];
        byteorder::toBytes(r->length, prefix, width, isUpperCaseCode(r->code));
        int64_t written = hostWrite(stream, prefix, width);
        if (written < width) return written;
        written = r->length == 0 ? 0 : hostWrite(stream, r->bytes, static_cast<int64_t>(r->length));
        if (written == static_cast<int64_t>(r->length) && isTerminated(r->code))
            written += hostWrite(stream, "", 1);
        return written + width;
    }

    static int64_t valueSize(FieldInstance*, void* value, int64_t) {
        const StringValue* r = record(value);
        return prefixWidth(r->code) + static_cast<int64_t>(r->length) + terminatorBytes(r->code);
    }

    static int setValueFromText(FieldInstance*, void* value, const char* text) {
        setStringBytes(record(value), text, std::strlen(text));
        return 1;
    }

    // The dialog edits zero-terminated text, so a string is offered up to its first zero byte.
    static int editValue(FieldInstance* instance, void* value, int32_t* result1, int32_t* result2) {
        *result1 = 0;
        *result2 = 0;
        const StringValue* r = record(value);
        if (r->length >= static_cast<uint64_t>(PTRDIFF_MAX)) return 0;
        char* text = new (std::nothrow) char[r->length + 1];
        if (!text) return 0;
        if (r->length > 0) std::memcpy(text, r->bytes, r->length);
        text[r->length] = '\0';
        char* entered = queryValue(hostMainWindow(), UIStrings[usEnterValueTitle], hostCaptionOf(instance),
                                   text, nullptr);
        delete[] text;
        if (!entered) return 0;
        setValueFromText(instance, value, entered);
        delete[] entered;
        return 1;
    }
};

// Zero-terminated text has no prefix to tell its length by.
bool stringShape(FieldCode code, ByteShape* shape) {
    *shape = ByteShape{0, prefixWidth(code), isUpperCaseCode(code)};
    return !isTerminated(code);
}

constexpr FieldTypeProcs kStringProcs = handlerTableOf<StringSlots>();

const FieldTypeRegistration kStringTypes[] = {
    {makeFieldCode("PSTR"), 42, 0, &kStringProcs}, {makeFieldCode("pstr"), 43, 0, &kStringProcs},
    {makeFieldCode("WSTR"), 44, 0, &kStringProcs}, {makeFieldCode("wstr"), 45, 0, &kStringProcs},
    {makeFieldCode("LSTR"), 46, 0, &kStringProcs}, {makeFieldCode("lstr"), 47, 0, &kStringProcs},
    {makeFieldCode("QSTR"), 48, 0, &kStringProcs}, {makeFieldCode("qstr"), 49, 0, &kStringProcs},
    {makeFieldCode("CSTR"), 73, 0, &kStringProcs}, {makeFieldCode("cstr"), 73, 0, &kStringProcs},
};

}  // namespace

void registerStringTypes() {
    registerFieldTypes(kStringTypes, static_cast<int>(sizeof kStringTypes / sizeof kStringTypes[0]));
    registerByteShape(&kStringProcs, stringShape);
}
