#include "document/document.h"

#include <algorithm>
#include <functional>
#include <new>

#include "document/instances.h"
#include "document/row_kind.h"
#include "fieldtypes/field_type.h"
#include "shell/drawing_resources.h"
#include "shell/strings.h"
#include "templates/template.h"

// What the engine looks up about the template's rows, made once per document: the kind of each
// row, and the fields sorted by address to find a field's row without a linear search.
struct TemplateRows {
    struct Entry {
        const TemplateField* field;
        int32_t row;
    };
    RowKind* kinds;
    Entry* entries;
    int32_t count;
};

Document* createDocument(const char* path, const char* displayName, const Template* libraryTemplate) {
    if (!libraryTemplate) return nullptr;
    Document* document = new (std::nothrow) Document{};
    if (!document) return nullptr;
    document->saved = true;
    document->templ = libraryTemplate->clone();
    document->path = DupString(path);
    document->displayName = DupString(displayName);
    if (!document->templ) {
        destroyDocument(document);
        return nullptr;
    }
    return document;
}

void destroyDocument(Document* document) {
    if (!document) return;
    delete[] document->path;
    delete[] document->displayName;
    // Counts, sizes and list headers hold numbers of the document; only data fields own a value
    // their field type made.
    for (FieldInstance* instance = document->first; instance;) {
        FieldInstance* next = instance->next;
        const FieldType* type = instance->field->fieldType;
        if (instance->value && type) {
            if (type->procs.destroyValue) {
                type->procs.destroyValue(instance, instance->value);
            } else {
                ::operator delete(instance->value);
            }
        }
        instance = next;
    }
    delete document->templ;
    if (document->rows) {
        delete[] document->rows->kinds;
        delete[] document->rows->entries;
    }
    delete document->rows;
    delete document;
}

FieldInstance* appendInstance(Document* document, TemplateField* field, FieldInstance* parent,
                              FieldInstance* partner, FieldInstance* listSource, int64_t* failure) {
    if (document->instanceCount >= document->instanceLimit) {
        *failure = kResultInstanceLimit;
        return nullptr;
    }
    FieldInstance* instance = static_cast<FieldInstance*>(document->instances.allocate());
    if (!instance) {
        *failure = kResultNoMemory;
        return nullptr;
    }
    *instance = FieldInstance{field, parent,  partner,       listSource,     field->depth,
                              0,     nullptr, tmBold.height, document->last, nullptr};
    if (document->last) {
        document->last->next = instance;
    } else {
        document->first = instance;
    }
    document->last = instance;
    ++document->instanceCount;
    return instance;
}

void dropLastInstance(Document* document) {
    FieldInstance* dropped = document->last;
    document->last = dropped->previous;
    if (document->last) {
        document->last->next = nullptr;
    } else {
        document->first = nullptr;
    }
    --document->instanceCount;
}

int64_t* newNumber(Document* document, int64_t number) {
    int64_t* slot = static_cast<int64_t*>(document->numbers.allocate());
    if (slot) *slot = number;
    return slot;
}

static bool buildTemplateRows(Document* document) {
    const Template* templ = document->templ;
    int32_t count = templ->fieldCount;
    TemplateRows* rows = new (std::nothrow) TemplateRows{nullptr, nullptr, count};
    if (!rows) return false;
    rows->kinds = new (std::nothrow) RowKind[count > 0 ? count : 1];
    rows->entries = new (std::nothrow) TemplateRows::Entry[count > 0 ? count : 1];
    if (!rows->kinds || !rows->entries) {
        delete[] rows->kinds;
        delete[] rows->entries;
        delete rows;
        return false;
    }
    for (int32_t row = 0; row < count; ++row) {
        rows->kinds[row] = rowKindOf(templ->fields[row]->code);
        rows->entries[row] = {templ->fields[row], row};
    }
    std::sort(rows->entries, rows->entries + count,
              [](const TemplateRows::Entry& a, const TemplateRows::Entry& b) {
                  return std::less<const TemplateField*>()(a.field, b.field);
              });
    document->rows = rows;
    return true;
}

const RowKind* rowKinds(Document* document) {
    if (!document->rows && !buildTemplateRows(document)) return nullptr;
    return document->rows->kinds;
}

int32_t rowOf(Document* document, const TemplateField* field) {
    if (!field || (!document->rows && !buildTemplateRows(document))) return -1;
    const TemplateRows* rows = document->rows;
    const TemplateRows::Entry* begin = rows->entries;
    const TemplateRows::Entry* end = begin + rows->count;
    const TemplateRows::Entry* found =
        std::lower_bound(begin, end, field, [](const TemplateRows::Entry& e, const TemplateField* f) {
            return std::less<const TemplateField*>()(e.field, f);
        });
    return found != end && found->field == field ? found->row : -1;
}
