#include "document/rest.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <new>

#include "document/folds.h"
#include "document/instances.h"
#include "fieldtypes/byte_preview.h"
#include "fieldtypes/registry.h"
#include "fieldtypes/value_drawing.h"
#include "platform/file_handle.h"
#include "platform/gdi.h"
#include "shell/drawing_resources.h"
#include "shell/streams.h"
#include "shell/strings.h"
#include "templates/template.h"

namespace {

RestValue* record(void* value) {
    return static_cast<RestValue*>(value);
}

// Moves a stream forward to target. Short gaps are read past, since a seek throws away what the
// stream has read ahead, and rest rows lie close together in chunked files.
bool advanceTo(TIOStream* stream, int64_t target) {
    constexpr int64_t kReadPast = 64 * 1024;
    int64_t at = stream->Position();
    if (target < at || target - at > kReadPast) return stream->Seek(target, 0) == target;
    char scratch[4096];
    while (at < target) {
        int64_t want = target - at < static_cast<int64_t>(sizeof scratch) ? target - at : sizeof scratch;
        int64_t got = stream->Read(scratch, want);
        if (got <= 0) return false;
        at += got;
    }
    return true;
}

}  // namespace

TIOStream* openUnchangedSource(const SourceFile* source, int64_t* failure) {
    *failure = kResultSourceChanged;
    platform::FileIdentity now;
    if (!platform::fileIdentity(source->path, &now) || !platform::sameIdentity(now, source->identity)) {
        return nullptr;
    }
    TIOFile* reader =
        new (std::nothrow) TIOFile(source->path, platform::kGenericRead, platform::kOpenExisting);
    if (!reader) *failure = kResultNoMemory;
    if (reader && !reader->IsOpen()) {
        delete reader;
        reader = nullptr;
    }
    return reader;
}

int64_t copyFromSource(RestValue* rest, TIOStream* target, int64_t total) {
    if (rest->held) {
        int64_t written = target->Write(rest->held, rest->length);
        if (written < 0) return written;
        rest->savedAt = total;
        return rest->length;
    }
    SourceFile* source = rest->source;
    if (!source->reader) {
        int64_t failure;
        source->reader = openUnchangedSource(source, &failure);
        if (!source->reader) return failure;
    }
    if (source->reader->Seek(rest->offset, 0) != rest->offset && rest->offset != 0)
        return kResultSourceChanged;
    if (target->CopyFrom(source->reader, rest->length) != rest->length) return kResultSourceChanged;
    rest->savedAt = total;
    return rest->length;
}

namespace {

struct RestSlots {
    static void destroyValue(FieldInstance*, void* value) {
        delete[] record(value)->held;
        delete record(value);
    }

    static void* cloneValue(FieldInstance*, void* value) {
        RestValue* copy = new (std::nothrow) RestValue(*record(value));
        if (!copy || !copy->held) return copy;
        copy->held = new (std::nothrow) unsigned char[static_cast<size_t>(copy->length)];
        if (!copy->held) {
            delete copy;
            return nullptr;
        }
        std::memcpy(copy->held, record(value)->held, static_cast<size_t>(copy->length));
        return copy;
    }

    static void drawValue(FieldInstance*, void* value, PaintContext* paint, RowLayout* row) {
        const RestValue* rest = record(value);
        char caption[48];
        std::snprintf(caption, sizeof caption, "%" PRId64 " more byte%s", rest->length,
                      rest->length == 1 ? "" : "s");
        char text[kPreviewText];
        int at =
            formatBytePreview(rest->preview, rest->previewLength, rest->length > rest->previewLength, text);
        RowLayout shown = *row;
        shown.caption = caption;
        drawCaptionAndValue(*paint, shown, text, at, fntNormal);
    }

    static int64_t writeValue(FieldInstance*, void* value, TIOStream* stream, int64_t total) {
        return copyFromSource(record(value), stream, total);
    }

    static int64_t valueSize(FieldInstance*, void* value, int64_t) { return record(value)->length; }
};

// No code of a template names it: rest rows are found by their field type.
FieldType restType{
    makeFieldCode("REST"),
    0,
    nullptr,
    {kFieldTypeProcsLength, nullptr, RestSlots::destroyValue, RestSlots::cloneValue, RestSlots::drawValue,
     nullptr, RestSlots::writeValue, RestSlots::valueSize, nullptr, nullptr, nullptr, nullptr, nullptr}};

char restCaption[] = "more bytes";
TemplateField restField{
    0, {'R', 'E', 'S', 'T'}, restCaption, nullptr, nullptr, nullptr, nullptr, 0, &restType, false, -1, nullptr, 0, false, -1};

}  // namespace

bool isRestInstance(const FieldInstance* instance) {
    return instance->field == &restField;
}

bool recordSource(Document* document) {
    SourceFile* source = new (std::nothrow) SourceFile{DupString(document->path), {0, 0}, nullptr};
    if (!source || !source->path) {
        delete source;
        return false;
    }
    platform::fileIdentity(source->path, &source->identity);
    destroySource(document);
    document->source = source;
    return true;
}

FieldInstance* appendRest(Document* document, FieldInstance* parent, int32_t depth, TIOStream* stream,
                          int64_t offset, int64_t length, int64_t* failure) {
    RestValue* rest = new (std::nothrow) RestValue{document->source, offset, length, 0, 0, {0}, nullptr};
    if (!rest) {
        *failure = kResultNoMemory;
        return nullptr;
    }
    FieldInstance* instance = appendInstance(document, &restField, parent, nullptr, nullptr, failure);
    if (!instance) {
        delete rest;
        return nullptr;
    }
    instance->depth = depth;
    instance->value = rest;
    advanceTo(stream, offset);
    int64_t preview = stream->Read(rest->preview, length < kRestPreviewBytes ? length : kRestPreviewBytes);
    rest->previewLength = preview > 0 ? static_cast<int32_t>(preview) : 0;
    advanceTo(stream, offset + length);
    return instance;
}

RestReader::~RestReader() {
    delete file_;
}

bool RestReader::read(const FieldInstance* instance, int64_t skip, void* buffer, int64_t count) {
    const RestValue* rest = record(instance->value);
    if (skip < 0 || count > rest->length - skip) return false;
    if (rest->held) {
        std::memcpy(buffer, rest->held + skip, static_cast<size_t>(count));
        return true;
    }
    if (rest->source != source_) {
        delete file_;
        int64_t failure;
        source_ = rest->source;
        file_ = openUnchangedSource(source_, &failure);
    }
    if (!file_) return false;
    int64_t at = rest->offset + skip;
    return file_->Seek(at, 0) == at && file_->Read(buffer, count) == count;
}

void closeSourceReader(Document* document) {
    if (!document->source || !document->source->reader) return;
    delete document->source->reader;
    document->source->reader = nullptr;
}

void adoptSavedSource(Document* document) {
    if (!document->source) return;
    for (FieldInstance* instance = document->first; instance; instance = instance->next) {
        if (!isRestInstance(instance) && !isFoldInstance(instance)) continue;
        RestValue* rest = record(instance->value);
        rest->offset = rest->savedAt;
        delete[] rest->held;  // the file has them again
        rest->held = nullptr;
    }
    platform::fileIdentity(document->source->path, &document->source->identity);
}

bool holdRestBytes(FieldInstance* instance) {
    if (!isRestInstance(instance) && !isFoldInstance(instance)) return true;
    RestValue* rest = record(instance->value);
    if (rest->held) return true;
    unsigned char* held = new (std::nothrow) unsigned char[static_cast<size_t>(rest->length > 0 ? rest->length : 1)];
    RestReader reader;
    if (!held || !reader.read(instance, 0, held, rest->length)) {
        delete[] held;
        return false;
    }
    rest->held = held;
    return true;
}

void destroySource(Document* document) {
    if (!document->source) return;
    delete document->source->reader;
    delete[] document->source->path;
    delete document->source;
    document->source = nullptr;
}
