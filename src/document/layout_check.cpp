#include "document/layout_check.h"

#include "document/binding.h"
#include "document/instances.h"
#include "document/rest.h"
#include "document/row_kind.h"
#include "document/saving.h"
#include "fieldtypes/check_value.h"
#include "shell/memory_stream.h"
#include "templates/template.h"

namespace {

// A number shown, or the length of a rest row; 0 for rows without either.
int64_t rowNumber(const FieldInstance* instance) {
    if (isRestInstance(instance)) return static_cast<const RestValue*>(instance->value)->length;
    bool numbered = !instance->field->fieldType && instance->value;
    return numbered ? *static_cast<const int64_t*>(instance->value) : 0;
}

bool sameShape(FieldInstance* shown, FieldInstance* read) {
    return shown->field->index == read->field->index && shown->depth == read->depth &&
           instanceSize(shown) == instanceSize(read);
}

bool isDerived(const FieldInstance* instance) {
    return rowKindOf(instance->field->code).role == RowRole::Derived;
}

// Walks both documents; with apply, derived rows take the numbers read.
bool sameLayout(Document* document, Document* reread, bool apply) {
    FieldInstance* shown = document->first;
    FieldInstance* read = reread->first;
    for (; shown && read && shown != document->restOfFile; shown = shown->next, read = read->next) {
        if (!sameShape(shown, read)) return false;
        if (isCheckField(shown) && apply) followComputed(shown, read);
        if (rowNumber(shown) == rowNumber(read)) continue;
        if (!isDerived(shown)) return false;
        if (apply) *static_cast<int64_t*>(shown->value) = rowNumber(read);
    }
    return !read && (!shown || shown == document->restOfFile) && !reread->missingBytes;
}

}  // namespace

bool settleLayout(Document* document) {
    if (!document->templ->hasParameters) return true;
    MemoryStream bytes;
    if (writeInstances(document, &bytes) < 0) return false;
    bytes.Seek(0, 0);
    Document* reread = createDocument(nullptr, "", document->templ);
    if (!reread) return false;
    reread->instanceLimit = document->instanceLimit;
    int32_t row = 0;
    bind(reread, &bytes, row, nullptr);
    bool holds = sameLayout(document, reread, false);
    if (holds) sameLayout(document, reread, true);
    destroyDocument(reread);
    return holds;
}
