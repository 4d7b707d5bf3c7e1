#pragma once
// The templates the user can choose from: every template file under ".\TMPL", loaded at start-up
// and held until shutdown.
#include <cstdint>
#include <string>

#include "templates/template.h"

constexpr int32_t kTemplateLibraryStep = 64;

struct TemplateLibrary {
    TemplateLibrary() = default;
    ~TemplateLibrary();
    TemplateLibrary(const TemplateLibrary&) = delete;
    TemplateLibrary& operator=(const TemplateLibrary&) = delete;

    int32_t count = 0;
    int32_t capacity = 0;
    Template** templates = nullptr;  // owned, in the order the scan found them

    // Loads every "*.tmpl" file of dir; with recursive, also enters sub-directories whose names
    // match "*.tmpl", at the place where the search returns them.
    void scan(const char* dir, bool recursive);
    // Takes the template over; destroys it when the list cannot grow.
    void add(Template* entry);
    // Puts a clone of edited in place of the first template of the same name; no such name, no
    // change. Nothing changes either when the clone cannot be made.
    void replaceByName(const Template* edited);
    // By its name, with or without ".tmpl", in any case; null when there is none.
    Template* named(const std::string& name) const;
    void clear();
};

extern TemplateLibrary templateLibrary;

// Start-up: fills the library from ".\TMPL" and its sub-directories.
void scanTemplateLibrary();
