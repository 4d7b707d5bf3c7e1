#include "document/paste_bytes.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <vector>

#include "document/changes.h"
#include "document/folds.h"
#include "document/history.h"
#include "document/instances.h"
#include "document/places.h"
#include "document/refusal.h"
#include "document/rest.h"
#include "fieldtypes/field_type.h"
#include "document/row_kind.h"
#include "fieldtypes/registry.h"
#include "shell/memory_stream.h"
#include "templates/template.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Covered {
    FieldInstance* instance;
    int64_t place;
    Bytes wanted;  // the row's bytes after the paste
};

// The value's bytes as saving writes them; false when it cannot write them.
bool bytesOf(FieldInstance* instance, void* value, Bytes* bytes) {
    MemoryStream stream;
    int64_t written = instance->field->fieldType->procs.writeValue(instance, value, &stream, 0);
    if (written < 0) return false;
    bytes->resize(static_cast<size_t>(stream.Size()));
    stream.Seek(0, 0);
    return stream.Read(bytes->data(), stream.Size()) == stream.Size();
}

// A new value read from the bytes that writes them back unchanged; null when there is none.
void* valueFrom(FieldInstance* instance, const Bytes& wanted) {
    const FieldTypeProcs& procs = instance->field->fieldType->procs;
    void* value = procs.createValue(instance);
    if (!value) return nullptr;
    MemoryStream stream;
    stream.Write(wanted.data(), static_cast<int64_t>(wanted.size()));
    stream.Seek(0, 0);
    Bytes back;
    if (procs.readValue(instance, value, &stream, 0) >= 0 && bytesOf(instance, value, &back) && back == wanted)
        return value;
    procs.destroyValue(instance, value);
    return nullptr;
}

int takePasted(FieldInstance* instance, const void* context) {
    void* value = valueFrom(instance, *static_cast<const Bytes*>(context));
    if (!value) return 0;
    instance->field->fieldType->procs.destroyValue(instance, instance->value);
    instance->value = value;
    return 1;
}

// Why the row cannot take bytes; null when it can.
const char* whyNot(FieldInstance* instance) {
    if (isRestInstance(instance)) return "No row reads the rest of the file: its bytes cannot be pasted over.";
    const FieldType* type = instance->field->fieldType;
    if (rowKindOf(instance->field->code).role != RowRole::Data || !type || !instance->value)
        return "\"%s\" decides which rows there are: edit it on its own.";
    const FieldTypeProcs& procs = type->procs;
    if (!procs.createValue || !procs.destroyValue || !procs.cloneValue || !procs.readValue || !procs.writeValue)
        return "\"%s\" cannot take bytes.";
    return nullptr;
}

// The row with bytes at the place, after a change laid the file out anew with new instances.
FieldInstance* rowAtPlace(Document* document, int64_t place) {
    Placer placer;
    for (FieldInstance* instance = document->first; instance; instance = instance->next)
        if (placer.place(instance) == place && instanceSize(instance) > 0) return instance;
    return nullptr;
}

// The rows over [offset, end) with their bytes after the paste, in the order of their places.
bool coveredRows(Document* document, int64_t offset, const unsigned char* bytes, int64_t count,
                 std::vector<Covered>& rows) {
    const int64_t end = offset + count;
    Placer placer;
    for (FieldInstance* instance = document->first; instance; instance = instance->next) {
        int64_t place = placer.place(instance);
        int64_t size = instanceSize(instance);
        if (size == 0 || place + size <= offset || place >= end) continue;
        if (const char* reason = whyNot(instance)) {
            refuse(document, reason, instance);
            return false;
        }
        Covered row{instance, place, {}};
        if (!bytesOf(instance, instance->value, &row.wanted) || static_cast<int64_t>(row.wanted.size()) != size) {
            refuse(document, "\"%s\" cannot take bytes.", instance);
            return false;
        }
        for (int64_t at = std::max(offset, place); at < std::min(end, place + size); ++at)
            row.wanted[static_cast<size_t>(at - place)] = bytes[at - offset];
        rows.push_back(std::move(row));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Covered& a, const Covered& b) { return a.place < b.place; });
    int64_t reached = offset;
    for (const Covered& row : rows) {
        if (row.place > reached) break;
        reached = std::max<int64_t>(reached, row.place + static_cast<int64_t>(row.wanted.size()));
    }
    if (reached < end) {
        std::snprintf(document->refusal, sizeof document->refusal,
                      "No row holds the byte at offset %" PRId64 ": nothing is pasted past it.", reached);
        return false;
    }
    return true;
}

}  // namespace

bool pasteBytes(Document* document, int64_t offset, const unsigned char* bytes, int64_t count) {
    document->refusal[0] = '\0';
    if (!showBytes(document, offset, offset + count)) {
        refuse(document, "The file changed since it was read, so the rows under these bytes cannot be read.");
        return false;
    }
    std::vector<Covered> rows;
    if (!coveredRows(document, offset, bytes, count, rows)) return false;
    // Every row is asked first, so that a refusal changes nothing.
    for (const Covered& row : rows) {
        void* value = valueFrom(row.instance, row.wanted);
        if (!value) {
            refuse(document, "\"%s\" would not read the pasted bytes back as they are.", row.instance);
            return false;
        }
        row.instance->field->fieldType->procs.destroyValue(row.instance, value);
    }
    if (!joinChanges(document)) {
        refuse(document, "There is not enough memory.");
        return false;
    }
    bool pasted = true;
    bool changedAny = false;
    const int64_t layouts = document->layouts;
    for (const Covered& row : rows) {
        FieldInstance* instance = document->layouts == layouts ? row.instance : rowAtPlace(document, row.place);
        Bytes now;
        if (!instance || !bytesOf(instance, instance->value, &now) || now == row.wanted) continue;
        if (!changeValue(document, instance, takePasted, &row.wanted)) {
            pasted = false;
            break;
        }
        changedAny = true;
    }
    endJoinedChanges(document);
    if (!pasted && changedAny) undoChange(document);
    return pasted;
}
