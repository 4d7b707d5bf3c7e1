#include "templates/template_library.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/dir_search.h"
#include "shell/pointer_array.h"

TemplateLibrary templateLibrary;

namespace {

// The longest path the directory search and file functions take (MAX_PATH with its terminator).
constexpr int kMaxPath = 260;

bool joinPath(char (&out)[kMaxPath], const char* dir, const char* name) {
    int length = std::snprintf(out, sizeof out, "%s\\%s", dir, name);
    return length >= 0 && length < kMaxPath;
}

}  // namespace

TemplateLibrary::~TemplateLibrary() {
    clear();
}

// Every level lengthens the path, so recursion ends within kMaxPath characters.
void TemplateLibrary::scan(const char* dir, bool recursive) {
    char pattern[kMaxPath];
    if (!dir || !joinPath(pattern, dir, "*.tmpl")) return;
    platform::DirSearch search;
    platform::DirEntry entry;
    if (!search.first(pattern, &entry)) return;
    do {
        char entryPath[kMaxPath];
        if (!joinPath(entryPath, dir, entry.name)) continue;
        if (entry.isDirectory) {
            if (recursive) scan(entryPath, true);
            continue;
        }
        Template* loaded = new (std::nothrow) Template;
        if (!loaded) continue;
        if (loaded->load(entryPath) == 0) {
            add(loaded);
        } else {
            delete loaded;
        }
    } while (search.next(&entry));
}

void TemplateLibrary::add(Template* entry) {
    if (entry && !shell::appendPointer(templates, count, capacity, kTemplateLibraryStep, entry)) delete entry;
}

void TemplateLibrary::replaceByName(const Template* edited) {
    if (!edited || !edited->name) return;
    for (int32_t i = 0; i < count; ++i) {
        if (!templates[i]->name || std::strcmp(templates[i]->name, edited->name) != 0) continue;
        Template* fresh = edited->clone();
        if (!fresh) return;
        delete templates[i];
        templates[i] = fresh;
        return;
    }
}

Template* TemplateLibrary::named(const std::string& name) const {
    auto sameText = [](const char* a, const std::string& b) {
        return std::strlen(a) == b.size() && std::equal(b.begin(), b.end(), a, [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) ==
                          std::tolower(static_cast<unsigned char>(y));
               });
    };
    for (int32_t i = 0; i < count; ++i) {
        const char* entry = templates[i]->name;
        if (entry && (sameText(entry, name) || sameText(entry, name + ".tmpl"))) return templates[i];
    }
    return nullptr;
}

void TemplateLibrary::clear() {
    for (int32_t i = 0; i < count; ++i) delete templates[i];
    delete[] templates;
    templates = nullptr;
    count = 0;
    capacity = 0;
}

void scanTemplateLibrary() {
    templateLibrary.clear();
    templateLibrary.scan(".\\TMPL", true);
}
