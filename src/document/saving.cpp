#include "document/saving.h"

#include <cstring>
#include <new>

#include "document/history.h"
#include "document/placed_writing.h"
#include "document/rest.h"
#include "document/row_kind.h"
#include "fieldtypes/byte_order.h"
#include "fieldtypes/registry.h"
#include "platform/file_handle.h"
#include "platform/save_file.h"
#include "shell/streams.h"
#include "templates/template.h"

int64_t writeInstance(FieldInstance* instance, TIOStream* stream, int64_t total) {
    RowKind kind = rowKindOf(instance->field->code);
    if (isNumberRole(kind.role)) {
        unsigned char bytes[8];
        byteorder::toBytes(static_cast<uint64_t>(*static_cast<int64_t*>(instance->value)), bytes, kind.width,
                           readsBigEndian(instance));
        int64_t written = stream->Write(bytes, kind.width);
        return written < 0 ? written : kind.width;
    }
    if ((kind.role != RowRole::Data && kind.role != RowRole::Key) || !instance->value) return 0;
    const FieldType* type = instance->field->fieldType;
    if (!type || !type->procs.writeValue) return 0;
    return type->procs.writeValue(instance, instance->value, stream, total);
}

int64_t writeInstances(Document* document, TIOStream* stream, FieldInstance* winner) {
    if (document->placed) return writeByPlace(document, stream, winner);
    int64_t total = 0;
    for (FieldInstance* instance = document->first; instance; instance = instance->next) {
        int64_t written = writeInstance(instance, stream, total);
        if (written < 0) return written;
        total += written;
    }
    return total;
}

static int64_t writeFile(Document* document, const char* path) {
    TIOFile* stream = new (std::nothrow) TIOFile(path, platform::kGenericWrite, platform::kCreateAlways);
    if (!stream) return kResultNoMemory;
    if (!stream->IsOpen()) {
        delete stream;
        return kResultCannotOpen;
    }
    int64_t total = writeInstances(document, stream);
    // The stream buffers, so a failed write may only show when the buffer goes out.
    if (!stream->Flush() && total >= 0) total = kResultWriteFailed;
    delete stream;
    return total;
}

bool changedOnDisk(const Document* document, const char* path) {
    const SourceFile* source = document->source;
    if (!source || !path || std::strcmp(source->path, path) != 0) return false;
    platform::FileIdentity now;
    return !platform::fileIdentity(path, &now) || !platform::sameIdentity(now, source->identity);
}

int64_t saveDocument(Document* document, const char* path, bool overwriteChanged) {
    if (!path) return kResultCannotOpen;
    if (!overwriteChanged && changedOnDisk(document, path)) return kResultChangedOnDisk;
    // Saving what is left would drop the bytes that could not be kept.
    if (document->missingBytes) return kResultNoMemory;
    char* side = platform::createSaveFile(path);
    if (!side) return kResultCannotOpen;
    int64_t total = writeFile(document, side);
    // Rest rows read the source while writing; it must be closed before anything replaces it.
    closeSourceReader(document);
    bool inPlace = document->path && std::strcmp(document->path, path) == 0;
    if (total >= 0 && inPlace && !holdBytesOfChanges(document)) total = kResultNoMemory;
    if (total >= 0 && !platform::replaceBySaveFile(side, path)) total = kResultCannotOpen;
    if (total < 0) platform::deleteFile(side);
    delete[] side;
    if (total >= 0) {
        if (inPlace) adoptSavedSource(document);
        document->saved = true;
        document->needsNewName = false;
    }
    return total;
}

const char* saveFailureReason(int64_t result) {
    switch (result) {
        case kResultSourceChanged:
            return "The file it was read from has changed since, so the bytes kept from it cannot be copied.";
        case kResultChangedOnDisk:
            return "The file has changed on disk since it was opened; saving over it would lose those changes.";
        case kResultCannotOpen:
            return "The file cannot be created or replaced there.";
        case kResultWriteFailed:
            return "Not every byte could be written.";
        case kResultNoMemory:
            return "There is not enough memory.";
        default:
            return "A field could not be written.";
    }
}
