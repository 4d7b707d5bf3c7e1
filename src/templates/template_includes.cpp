#include "templates/template_includes.h"

#include <cctype>
#include <cstring>
#include <new>
#include <vector>

#include "templates/template_library.h"

namespace {

bool sameName(const char* libraryName, const char* name, int32_t length) {
    size_t full = std::strlen(libraryName);
    bool withExtension = full == static_cast<size_t>(length) + 5 && std::strcmp(libraryName + length, ".tmpl") == 0;
    if (full != static_cast<size_t>(length) && !withExtension) return false;
    for (int32_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(libraryName[i])) != std::tolower(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

}  // namespace

bool includedName(const TemplateField* field, const char** name, int32_t* length) {
    const char* equals = std::strchr(field->caption, '=');
    const char* open = equals ? std::strchr(equals, '"') : nullptr;
    const char* close = open ? std::strchr(open + 1, '"') : nullptr;
    if (!close || close == open + 1) return false;
    for (const char* at = equals + 1; at < open; ++at) {
        if (!std::isspace(static_cast<unsigned char>(*at))) return false;
    }
    for (const char* at = close + 1; *at; ++at) {
        if (!std::isspace(static_cast<unsigned char>(*at))) return false;
    }
    *name = open + 1;
    *length = static_cast<int32_t>(close - open - 1);
    return true;
}

const Template* includedTemplate(const TemplateField* field) {
    const char* name;
    int32_t length;
    if (!includedName(field, &name, &length)) return nullptr;
    for (int32_t i = 0; i < templateLibrary.count; ++i) {
        const Template* entry = templateLibrary.templates[i];
        if (entry->name && sameName(entry->name, name, length)) return entry;
    }
    return nullptr;
}

namespace {

bool uses(const Template& user, const Template& used) {
    for (int32_t i = 0; i < user.fieldCount; ++i) {
        if (isCode(user.fields[i]->code, "INCL") && includedTemplate(user.fields[i]) == &used) return true;
    }
    return false;
}

void addName(std::string& list, const Template& templ) {
    list += (list.empty() ? "" : ", ") + std::string(templ.name ? templ.name : "");
}

}  // namespace

std::string reuseText(const Template& templ) {
    std::string used, users;
    for (int32_t i = 0; i < templateLibrary.count; ++i) {
        const Template& other = *templateLibrary.templates[i];
        if (uses(templ, other)) addName(used, other);
        if (uses(other, templ)) addName(users, other);
    }
    std::string text = used.empty() ? "" : "uses " + used;
    if (!users.empty()) text += (text.empty() ? "used by " : "; used by ") + users;
    return text;
}

bool usesStructures(const Template& templ) {
    for (int32_t i = 0; i < templ.fieldCount; ++i) {
        if (isCode(templ.fields[i]->code, "INCL") && !templ.fields[i]->expanded) return true;
    }
    return false;
}

void expandIncludes(Template& templ, std::vector<int32_t>* origin) {
    if (templ.structuresExpanded) return;
    templ.structuresExpanded = true;
    std::vector<int32_t> depth(static_cast<size_t>(templ.fieldCount), 0);  // of reuse, for each row
    if (origin) {
        origin->resize(static_cast<size_t>(templ.fieldCount));
        for (int32_t i = 0; i < templ.fieldCount; ++i) (*origin)[static_cast<size_t>(i)] = i;
    }
    for (int32_t i = 0; i < templ.fieldCount; ++i) {
        TemplateField* field = templ.fields[i];
        if (!isCode(field->code, "INCL") || field->expanded || depth[i] >= kMaxIncludeDepth) continue;
        const Template* used = includedTemplate(field);
        if (!used || templ.fieldCount + used->fieldCount + 1 > kMaxTemplateFields) continue;
        int32_t at = i + 1;
        for (int32_t k = 0; k < used->fieldCount && templ.insertField(at, used->fields[k]->code, used->fields[k]->caption);
             ++k)
            ++at;
        if (at - i - 1 < used->fieldCount || !templ.insertField(at, "SKPE", "")) {
            // Without memory the rows put in go again, so that no half structure is bound.
            while (at > i + 1) templ.removeField(--at);
            return;
        }
        field->expanded = true;
        depth.insert(depth.begin() + i + 1, static_cast<size_t>(used->fieldCount + 1), depth[i] + 1);
        if (origin) origin->insert(origin->begin() + i + 1, static_cast<size_t>(used->fieldCount + 1), (*origin)[i]);
    }
}
