#include "document/relayout.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "document/binding.h"
#include "document/instances.h"
#include "document/places.h"
#include "document/rest.h"
#include "document/saving.h"
#include "fieldtypes/check_value.h"
#include "shell/memory_stream.h"
#include "templates/template.h"

namespace {

// Rest rows of a binding from memory keep their bytes, as no file holds them until the document is
// saved over its file, which then holds them (so they take the document's file as theirs).
bool holdFrom(MemoryStream& bytes, Document* reread, SourceFile* source) {
    Placer placer;
    int64_t covered = 0;
    for (FieldInstance* at = reread->first; at; at = at->next) {
        int64_t offset = placer.place(at);
        covered = std::max(covered, offset + instanceSize(at));
        if (isRestInstance(at)) {
            RestValue* rest = static_cast<RestValue*>(at->value);
            rest->source = source;
            rest->held = new (std::nothrow) unsigned char[rest->length > 0 ? rest->length : 1];
            if (!rest->held || bytes.Seek(offset, 0) != offset ||
                bytes.Read(rest->held, rest->length) != rest->length)
                return false;
        }
    }
    return covered == bytes.Size();
}

int32_t wrongChecks(const Document* document) {
    int32_t wrong = 0;
    for (FieldInstance* at = document->first; at; at = at->next) wrong += isCheckField(at) && !checkFollows(at);
    return wrong;
}

// The edited row reads back as typed, and no check that was right turns wrong.
bool keepsTheEdit(Document* document, Document* reread, const FieldInstance* edited) {
    int64_t wanted = placeOf(document, edited);
    Placer placer;
    bool found = false;
    for (FieldInstance* at = reread->first; at && !found; at = at->next) {
        found = placer.place(at) == wanted && at->field->index == edited->field->index &&
                instanceSize(at) == instanceSize(const_cast<FieldInstance*>(edited));
    }
    return found && wrongChecks(reread) <= wrongChecks(document);
}

}  // namespace

void swapBinding(Document* document, Document* other) {
    std::swap(document->templ, other->templ);
    std::swap(document->first, other->first);
    std::swap(document->last, other->last);
    std::swap(document->instanceCount, other->instanceCount);
    std::swap(document->stopReason, other->stopReason);
    std::swap(document->stopRow, other->stopRow);
    std::swap(document->stopOffset, other->stopOffset);
    std::swap(document->rows, other->rows);
    std::swap(document->hasBoundedRows, other->hasBoundedRows);
    std::swap(document->hasDataLists, other->hasDataLists);
    std::swap(document->unclosed, other->unclosed);
    std::swap(document->restOfFile, other->restOfFile);
    std::swap(document->missingBytes, other->missingBytes);
    std::swap(document->placed, other->placed);
    document->instances.swap(other->instances);
    document->numbers.swap(other->numbers);
    ++document->layouts;
}

Document* layOutAnew(Document* document, FieldInstance* edited) {
    MemoryStream bytes;
    // The edited row's bytes win where rows at offsets share them.
    if (writeInstances(document, &bytes, document->placed ? edited : nullptr) < 0) return nullptr;
    bytes.Seek(0, 0);
    Document* reread = createDocument(nullptr, "", document->templ);
    if (!reread) return nullptr;
    reread->instanceLimit = document->instanceLimit;
    int32_t row = 0;
    // A binding that stops early is no layout to take; bytes after its last row are its rest.
    bool whole = bind(reread, &bytes, row, nullptr) >= 0;
    int64_t taken = 0;
    for (FieldInstance* at = reread->first; at; at = at->next) taken += instanceSize(at);
    int64_t failure = 0;
    if (whole && reread->placed) {
        whole = keepUncoveredBytes(reread, &bytes);
    } else if (whole && taken < bytes.Size()) {
        reread->restOfFile = appendRest(reread, nullptr, 0, &bytes, taken, bytes.Size() - taken, &failure);
        whole = reread->restOfFile != nullptr;
    }
    if (!whole || !keepsTheEdit(document, reread, edited) || !holdFrom(bytes, reread, document->source)) {
        destroyDocument(reread);
        return nullptr;
    }
    swapBinding(document, reread);
    return reread;
}
