#pragma once
// A template: the rows (code and caption) that lay out a binary file, with the nesting computed by
// link and the field types found by resolve.
#include <cstdint>

struct FieldType;

struct TemplateField {
    int32_t depth;
    char code[4];  // as written, not terminated; may hold zero bytes
    char* caption; // owned, never null
    TemplateField* parent;
    TemplateField* partner;
    TemplateField* previous;
    TemplateField* next;
    uint32_t extra;
    FieldType* fieldType;
    bool hasCases;
};

constexpr int32_t kTemplateFieldStep = 64;

class Template {
public:
    Template();
    ~Template();
    Template(const Template&) = delete;
    Template& operator=(const Template&) = delete;

    char* name = nullptr;
    char* path = nullptr;
    int32_t fieldCount = 0;
    int32_t fieldCapacity = 0;
    TemplateField** fields = nullptr;
    bool resolved = false;
    bool linked = false;
    int32_t errorRow = 0;

    // 0, or -1 when the file cannot be opened (the template is then unchanged).
    int load(const char* filePath);
    // 0, -1 when the file cannot be written (the old file is then untouched), -9 without memory.
    int save(const char* filePath);
    // A deep copy, linked and resolved; null without memory.
    Template* clone() const;
    // code: four characters as written (null gives "\0\0\0\0"); caption may be null.
    TemplateField* appendField(const char* code, const char* caption);
    TemplateField* insertField(int32_t index, const char* code, const char* caption);
    void removeField(int32_t index);
    int32_t indexOf(const TemplateField* field, int32_t hint) const;
    void link();
    int resolve();
    void clear();
};

bool isControlCode(const char code[4]);
// Codes that open and close sections in the link pass.
bool isOpeningCode(const char code[4]);
bool isClosingCode(const char code[4]);
bool isCaseCode(const char code[4]);
