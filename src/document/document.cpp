#include "document/document.h"

#include <algorithm>
#include <functional>
#include <new>

#include "document/history.h"
#include "document/instances.h"
#include "document/rest.h"
#include "document/sizes.h"
#include "document/row_kind.h"
#include "fieldtypes/field_type.h"
#include "shell/drawing_resources.h"
#include "shell/strings.h"
#include "templates/template.h"
#include "templates/template_includes.h"

// What the engine looks up about the template's rows, made once per document: the structure of
// each row, and the fields sorted by address to find a field's row without a linear search.
struct TemplateRows {
    struct Entry {
        const TemplateField* field;
        int32_t row;
    };
    RowInfo* infos;
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
    // The document binds the structures its template uses as rows of its own.
    expandIncludes(*document->templ);
    document->templ->link();
    document->templ->resolve();
    return document;
}

// Counts, sizes and list headers hold numbers of the document; only data fields own a value their
// field type made.
static void destroyValue(FieldInstance* instance) {
    const FieldType* type = instance->field->fieldType;
    if (!instance->value || !type) return;
    if (type->procs.destroyValue) {
        type->procs.destroyValue(instance, instance->value);
    } else {
        ::operator delete(instance->value);
    }
    instance->value = nullptr;
}

void destroyDocument(Document* document) {
    if (!document) return;
    delete[] document->path;
    delete[] document->displayName;
    destroyHistory(document);
    for (FieldInstance* instance = document->first; instance;) {
        FieldInstance* next = instance->next;
        destroyValue(instance);
        instance = next;
    }
    delete document->templ;
    destroySource(document);
    destroyUnclosed(document);
    if (document->rows) {
        delete[] document->rows->infos;
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
                              0,     nullptr, tmBold.height, document->last, nullptr, nullptr};
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

void removeInstances(Document* document, FieldInstance* first, FieldInstance* last) {
    unlinkInstances(document, first, last);
    destroyValues(first, last);
}

int64_t unlinkInstances(Document* document, FieldInstance* first, FieldInstance* last) {
    FieldInstance* before = first->previous;
    FieldInstance* after = last->next;
    int64_t count = 1;
    for (FieldInstance* at = first; at != last; at = at->next) ++count;
    document->instanceCount -= count;
    (before ? before->next : document->first) = after;
    (after ? after->previous : document->last) = before;
    return count;
}

void linkInstances(Document* document, FieldInstance* predecessor, FieldInstance* first, FieldInstance* last,
                   int64_t count) {
    FieldInstance* after = predecessor ? predecessor->next : document->first;
    first->previous = predecessor;
    last->next = after;
    (predecessor ? predecessor->next : document->first) = first;
    (after ? after->previous : document->last) = last;
    document->instanceCount += count;
}

void releaseInstances(Document* document, FieldInstance* first, FieldInstance* last) {
    unlinkInstances(document, first, last);
    for (FieldInstance* at = first;;) {
        FieldInstance* next = at->next;
        bool numbered = isNumberRole(rowKindOf(at->field->code).role) || !at->field->fieldType;
        if (numbered && at->value) {
            document->numbers.release(at->value);
        } else {
            destroyValue(at);
        }
        document->instances.release(at);
        if (at == last) break;
        at = next;
    }
}

void destroyValues(FieldInstance* first, FieldInstance* last) {
    for (FieldInstance* at = first;; at = at->next) {
        destroyValue(at);
        if (at == last) break;
    }
}

int64_t* newNumber(Document* document, int64_t number) {
    int64_t* slot = static_cast<int64_t*>(document->numbers.allocate());
    if (slot) *slot = number;
    return slot;
}

// The section that holds each row, read from what link recorded: a row's parent is the opening row
// of its section, and a closing row belongs to the section it closes. A CASE row's parent is the row
// before it on its level, whose section it shares, or none when it follows the opening row directly.
static int32_t sectionOf(Document* document, int32_t row) {
    const Template* templ = document->templ;
    const TemplateField* field = templ->fields[row];
    if (isClosingCode(field->code)) return rowOf(document, field->partner);
    if (!isCaseCode(field->code)) return rowOf(document, field->parent);
    if (field->parent) return rowOf(document, field->parent->parent);
    int32_t before = row - 1;
    while (before >= 0 && isCaseCode(templ->fields[before]->code)) --before;
    return before >= 0 && isOpeningCode(templ->fields[before]->code) ? before : -1;
}

// A key section's key is its first key row, unless a CASE row of the section comes before it.
static void findSections(Document* document, RowInfo* infos) {
    for (int32_t row = 0; row < document->templ->fieldCount; ++row) {
        RowInfo& info = infos[row];
        info.section = sectionOf(document, row);
        if (info.section < 0) continue;
        RowInfo& holder = infos[info.section];
        // A key computed by an expression needs no key row.
        if (holder.kind.role == RowRole::KeySection && holder.kind.computed) holder.key = -1;
        if (holder.kind.role == RowRole::KeySection && holder.key == kNoKeyYet) {
            if (info.kind.role == RowRole::Key) holder.key = row;
            if (info.kind.role == RowRole::Case) holder.key = -1;
        }
    }
}

static bool buildTemplateRows(Document* document) {
    const Template* templ = document->templ;
    int32_t count = templ->fieldCount;
    TemplateRows* rows = new (std::nothrow) TemplateRows{nullptr, nullptr, count};
    if (!rows) return false;
    rows->infos = new (std::nothrow) RowInfo[count > 0 ? count : 1];
    rows->entries = new (std::nothrow) TemplateRows::Entry[count > 0 ? count : 1];
    if (!rows->infos || !rows->entries) {
        delete[] rows->infos;
        delete[] rows->entries;
        delete rows;
        return false;
    }
    for (int32_t row = 0; row < count; ++row) {
        rows->infos[row] = RowInfo{rowKindOf(templ->fields[row]->code), -1, -1, kNoKeyYet};
        rows->entries[row] = {templ->fields[row], row};
    }
    std::sort(rows->entries, rows->entries + count,
              [](const TemplateRows::Entry& a, const TemplateRows::Entry& b) {
                  return std::less<const TemplateField*>()(a.field, b.field);
              });
    document->rows = rows;
    for (int32_t row = 0; row < count; ++row)
        rows->infos[row].partner = rowOf(document, templ->fields[row]->partner);
    findSections(document, rows->infos);
    return true;
}

const RowInfo* rowInfos(Document* document) {
    if (!document->rows && !buildTemplateRows(document)) return nullptr;
    return document->rows->infos;
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

int64_t instanceSize(FieldInstance* instance) {
    RowKind kind = rowKindOf(instance->field->code);
    if (isNumberRole(kind.role)) return kind.width;
    const FieldType* type = instance->field->fieldType;
    if (!type || !instance->value || !type->procs.valueSize) return 0;
    return type->procs.valueSize(instance, instance->value, 0);
}
