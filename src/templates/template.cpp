#include "templates/template.h"

#include <cstring>
#include <new>

#include "templates/row_parameters.h"

namespace {

// Null stays null; otherwise a copy, or null without memory.
char* copyText(const char* text) {
    if (!text) return nullptr;
    size_t length = std::strlen(text);
    char* copy = new (std::nothrow) char[length + 1];
    if (copy) std::memcpy(copy, text, length + 1);
    return copy;
}

TemplateField* newField(const char* code, const char* caption) {
    TemplateField* field = new (std::nothrow) TemplateField{};
    if (!field) return nullptr;
    field->caption = copyText(caption ? caption : "");
    if (!field->caption) {
        delete field;
        return nullptr;
    }
    if (code) std::memcpy(field->code, code, sizeof field->code);
    return field;
}

void destroyField(TemplateField* field) {
    releaseParameters(field);
    delete[] field->caption;
    delete field;
}

}  // namespace

Template::Template() = default;

Template::~Template() {
    clear();
}

bool Template::reserveFields(int32_t wanted) {
    if (wanted <= fieldCapacity) return true;
    TemplateField** grown = new (std::nothrow) TemplateField*[wanted];
    if (!grown) return false;
    if (fieldCount > 0) std::memcpy(grown, fields, sizeof(TemplateField*) * fieldCount);
    delete[] fields;
    fields = grown;
    fieldCapacity = wanted;
    return true;
}

TemplateField* Template::appendField(const char* code, const char* caption) {
    return insertField(fieldCount, code, caption);
}

TemplateField* Template::insertField(int32_t index, const char* code, const char* caption) {
    if (index < 0 || index > fieldCount || fieldCount >= kMaxTemplateFields) return nullptr;
    TemplateField* field = newField(code, caption);
    if (!field) return nullptr;
    if (fieldCount == fieldCapacity && !reserveFields(fieldCount + kTemplateFieldStep)) {
        destroyField(field);
        return nullptr;
    }
    std::memmove(fields + index + 1, fields + index, sizeof(TemplateField*) * (fieldCount - index));
    fields[index] = field;
    ++fieldCount;
    if (index + 1 < fieldCount) {
        field->next = fields[index + 1];
        field->next->previous = field;
    }
    if (index > 0) {
        field->previous = fields[index - 1];
        field->previous->next = field;
    }
    resolved = false;
    linked = false;
    return field;
}

void Template::removeField(int32_t index) {
    if (index < 0 || index >= fieldCount) return;
    TemplateField* removed = fields[index];
    std::memmove(fields + index, fields + index + 1, sizeof(TemplateField*) * (fieldCount - index - 1));
    --fieldCount;
    TemplateField* before = index > 0 ? fields[index - 1] : nullptr;
    TemplateField* after = index < fieldCount ? fields[index] : nullptr;
    if (before) before->next = after;
    if (after) after->previous = before;
    // Until the next link, no field may keep pointing at the removed one.
    for (int32_t i = 0; i < fieldCount; ++i) {
        if (fields[i]->parent == removed) fields[i]->parent = nullptr;
        if (fields[i]->partner == removed) fields[i]->partner = nullptr;
    }
    destroyField(removed);
    resolved = false;
    linked = false;
}

int32_t Template::indexOf(const TemplateField* field, int32_t hint) const {
    if (hint >= fieldCount) hint = fieldCount - 1;
    if (hint < -1) hint = -1;
    for (int32_t i = hint; i >= 0; --i) {
        if (fields[i] == field) return i;
    }
    for (int32_t i = hint + 1; i < fieldCount; ++i) {
        if (fields[i] == field) return i;
    }
    return -1;
}

Template* Template::clone() const {
    Template* copy = new (std::nothrow) Template;
    if (!copy) return nullptr;
    copy->name = copyText(name);
    copy->path = copyText(path);
    bool complete = (copy->name || !name) && (copy->path || !path) && copy->reserveFields(fieldCount);
    for (int32_t i = 0; complete && i < fieldCount; ++i) {
        TemplateField* field = copy->appendField(fields[i]->code, fields[i]->caption);
        if (field) field->depth = fields[i]->depth;
        if (field) field->expanded = fields[i]->expanded;
        complete = field != nullptr;
    }
    if (!complete) {
        delete copy;
        return nullptr;
    }
    copy->structuresExpanded = structuresExpanded;
    copy->link();
    copy->resolve();
    return copy;
}

void Template::clear() {
    for (int32_t i = 0; i < fieldCount; ++i) destroyField(fields[i]);
    delete[] fields;
    fields = nullptr;
    fieldCount = 0;
    fieldCapacity = 0;
    delete[] name;
    delete[] path;
    name = nullptr;
    path = nullptr;
    resolved = false;
    hasParameters = false;
    structuresExpanded = false;
}

bool Template::setSource(const char* filePath) {
    const char* separator = std::strrchr(filePath, '\\');
    delete[] path;
    delete[] name;
    path = copyText(filePath);
    name = copyText(separator ? separator + 1 : filePath);
    return path && name;
}

void Template::adopt(Template& other) {
    clear();
    name = other.name;
    path = other.path;
    fields = other.fields;
    fieldCount = other.fieldCount;
    fieldCapacity = other.fieldCapacity;
    resolved = other.resolved;
    hasParameters = other.hasParameters;
    structuresExpanded = other.structuresExpanded;
    linked = other.linked;
    other.name = nullptr;
    other.path = nullptr;
    other.fields = nullptr;
    other.fieldCount = 0;
    other.fieldCapacity = 0;
}
