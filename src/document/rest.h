#pragma once
// Bytes of the file that no template row covers: rows of their own ("N more bytes") that refer to
// the range of the file they came from, so that a large rest costs no memory and saving copies it
// unchanged. No byte of a file is ever lost by binding and saving it.
#include <cstdint>

#include "document/document.h"
#include "fieldtypes/byte_preview.h"
#include "platform/file_identity.h"

class TIOStream;

// The file a document was bound from, as it was then.
struct SourceFile {
    char* path;
    platform::FileIdentity identity;
    TIOStream* reader;  // open only while a save copies rest bytes
};

constexpr int kRestPreviewBytes = kPreviewBytes;

struct RestValue {
    SourceFile* source;
    int64_t offset;
    int64_t length;
    int64_t savedAt;  // where the save under way put the bytes
    int32_t previewLength;
    unsigned char preview[kRestPreviewBytes];
    // The bytes themselves, for a row that undo or redo may bring back after a save replaced the
    // file they were in; null while the file has them.
    unsigned char* held = nullptr;
    // Where the bytes stand in the file, for bytes between regions at offsets; -1 for a rest that
    // stands after the rows before it.
    int64_t place = -1;
};

bool isRestInstance(const FieldInstance* instance);

// The source opened for reading, when it is still the file binding read; else null with the reason.
TIOStream* openUnchangedSource(const SourceFile* source, int64_t* failure);
// Writes the bytes to target, where `total` bytes stand before them; their count, or a failure that
// leaves the target without them.
int64_t copyFromSource(RestValue* rest, TIOStream* target, int64_t total);

// Records the document's path as its source, before binding reads it; false without memory.
bool recordSource(Document* document);

// Appends a rest row for length bytes at offset of the source, shown at depth. The preview is read
// from stream, which is left just after the rest. Null as appendInstance gives (or -9 in *failure).
FieldInstance* appendRest(Document* document, FieldInstance* parent, int32_t depth, TIOStream* stream,
                          int64_t offset, int64_t length, int64_t* failure);

// Reads parts of rest rows (and folds, whose value begins as a rest's) from their source for showing them, without copying whole rows: the
// source is opened on first need, only when it is still the file binding read, and closed with the
// reader, so that the file is not held open while it is only shown.
class RestReader {
  public:
    RestReader() = default;
    ~RestReader();
    RestReader(const RestReader&) = delete;
    RestReader& operator=(const RestReader&) = delete;

    // count bytes of the rest row from skip bytes into it; false when they cannot be read.
    bool read(const FieldInstance* instance, int64_t skip, void* buffer, int64_t count);

  private:
    const SourceFile* source_ = nullptr;
    TIOStream* file_ = nullptr;
};

// Closes the source after a save copied from it, before the saved file replaces anything.
void closeSourceReader(Document* document);
// The save replaced the source file itself: rest rows refer to where it put their bytes from now on.
void adoptSavedSource(Document* document);
// Before a save replaces the source: a rest row out of the document (kept for undo or redo) takes
// its bytes into memory. False when they cannot be read or held.
bool holdRestBytes(FieldInstance* instance);

void destroySource(Document* document);
