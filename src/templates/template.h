#pragma once
// A template: the rows (code and caption) that lay out a binary file, with the nesting computed by
// link and the field types found by resolve.
#include <cstdint>

struct FieldType;
namespace expression {
struct Expression;
}

struct TemplateField {
    int32_t depth;
    char code[4];   // as written, not terminated; may hold zero bytes
    char* caption;  // owned, never null
    TemplateField* parent;
    TemplateField* partner;
    TemplateField* previous;
    TemplateField* next;
    uint32_t extra;
    FieldType* fieldType;
    bool hasCases;
    int32_t index;  // the row's place, set by link
    // Parsed by resolve from the caption after "=", for the codes that take parameters; owned.
    expression::Expression* parameters;
    int32_t parameterCount;
    bool expanded;  // an INCL row followed by the rows of the template it names, and a closing row
    // For a row that expressions name: the next earlier row of the same name they could mean, -1 for
    // none (kNamesakeUnknown until resolve looks).
    int32_t namesake;
};

constexpr int32_t kNamesakeUnknown = -2;

constexpr int32_t kTemplateFieldStep = 64;
// No real template comes near this; it keeps a hostile file from taking all memory.
constexpr int32_t kMaxTemplateFields = 1 << 20;

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
    // For a row whose parameters do not parse: where in its caption, and why; else -1 and null.
    int32_t errorColumn = -1;
    const char* errorMessage = nullptr;
    bool hasParameters = false;  // some row that binds has expressions in its caption, as resolve found
    bool structuresExpanded = false;  // a document's: the rows of the structures it uses are put in

    // 0; -1 when the file cannot be opened; -9 when its rows do not fit in memory or exceed
    // kMaxTemplateFields. On failure the template is unchanged.
    int load(const char* filePath);
    // 0, -1 when the file cannot be written (the old file is then untouched), -9 without memory.
    int save(const char* filePath);
    // A deep copy, linked and resolved; null without memory.
    Template* clone() const;
    // code: four characters as written (null gives "\0\0\0\0"); caption may be null. Null, with the
    // template unchanged, without memory or at kMaxTemplateFields rows.
    TemplateField* appendField(const char* code, const char* caption);
    // index 0 to fieldCount; null, with the template unchanged, for any other index too.
    TemplateField* insertField(int32_t index, const char* code, const char* caption);
    // An index outside the rows changes nothing.
    void removeField(int32_t index);
    int32_t indexOf(const TemplateField* field, int32_t hint) const;
    void link();
    int resolve();
    void clear();

  private:
    // Makes room for at least `wanted` rows; false without memory.
    bool reserveFields(int32_t wanted);
    // Finds each row's field type; false at the first row without one, or a CASE row of a value past
    // 64 bits, in errorRow.
    bool resolveTypes();
    bool parametersOfExpanded();
    // Sets path to a copy of filePath and name to its last component; false without memory.
    bool setSource(const char* filePath);
    // Takes over the strings, rows and marks of other, which is left empty.
    void adopt(Template& other);
};

// Whether the code is the four capital letters given, as written or all in lower case; never mixed.
bool isCode(const char code[4], const char* upper);
bool isControlCode(const char code[4]);
// Codes that open and close sections in the link pass.
bool isOpeningCode(const char code[4]);
bool isClosingCode(const char code[4]);
bool isCaseCode(const char code[4]);
