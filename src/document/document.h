#pragma once
// A file seen through a template: a doubly linked list of field instances in display order, with
// parent links for list items.
#include <cstdint>

class Template;
class TIOStream;
struct TemplateField;

struct FieldInstance {
    TemplateField* field;
    FieldInstance* parent;
    FieldInstance* partner;
    FieldInstance* listSource;
    int32_t depth;
    uint32_t flags;  // bit 0 selected, bit 1 current
    void* value;
    int32_t height;
    FieldInstance* previous;
    FieldInstance* next;
};

constexpr uint32_t kInstanceSelected = 1;
constexpr uint32_t kInstanceCurrent = 2;

struct Document {
    Template* templ;  // the document's own clone
    FieldInstance* first;
    FieldInstance* last;
    char* path;
    char* displayName;
    bool needsNewName;
    bool saved;
};
