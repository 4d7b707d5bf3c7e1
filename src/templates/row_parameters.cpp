#include "templates/row_parameters.h"

#include <cctype>
#include <cstring>
#include <new>

#include "document/row_kind.h"
#include "expressions/expression.h"
#include "templates/template_includes.h"

namespace {

struct Shape {
    char code[5];
    ParameterCount count;
    bool length;  // the first parameter is the row's length in bytes
    bool check;   // the last parameter is what the row's number should be
};

constexpr Shape kShapes[] = {
    {"CALC", {1, 1}, false, false}, {"BITS", {1, 2}, false, false}, {"LSTN", {1, 1}, false, false},
    {"LSTL", {1, 1}, false, false}, {"LSTU", {1, 1}, false, false}, {"SECT", {1, 1}, false, false},
    {"WHEN", {1, 1}, false, false}, {"KEYV", {1, 1}, false, false}, {"BYTS", {1, 1}, true, false},
    {"TEXT", {1, 1}, true, false},  {"OTXT", {1, 1}, true, false},  {"DTXT", {1, 1}, true, false},
    {"PADN", {1, 2}, true, false},  {"UPTO", {1, 16}, true, false}, {"CHKB", {1, 1}, false, true},
    {"CHKW", {1, 1}, false, true},  {"CHKL", {1, 1}, false, true},  {"CHKQ", {1, 1}, false, true},
    {"CHKO", {2, 2}, true, true},   {"ORDR", {1, 1}, false, false}, {"ATOF", {1, 2}, false, false},
    {"LEAD", {1, 1}, false, false}, {"EXTN", {1, 16}, false, false},
};

const Shape* shapeOf(const char code[4]) {
    for (const Shape& shape : kShapes) {
        if (isCode(code, shape.code)) return &shape;
    }
    return nullptr;
}

constexpr int32_t kMostParameters = 16;
// Looking names up walks back over rows; a template that would make it walk further is refused.
constexpr int64_t kLookupBudget = int64_t{1} << 24;

bool isWordCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Rows an expression can read a number from.
bool holdsNumber(const TemplateField* field) {
    RowRole role = rowKindOf(field->code).role;
    return isNumberRole(role) || role == RowRole::Key || (role == RowRole::Data && field->fieldType);
}

bool isList(const TemplateField* field) {
    RowRole role = rowKindOf(field->code).role;
    return role == RowRole::CountedList || role == RowRole::SizedList;
}

// A structure a template uses, put in: its rows are reached by a path through its label.
bool isStructure(const TemplateField* field) {
    return field->expanded;
}

// What a path's first part names: a list or a structure.
bool isScope(const TemplateField* field) {
    return isList(field) || isStructure(field);
}

bool named(const TemplateField* field, const char* name, int32_t length) {
    const char* label;
    int32_t labelLength;
    captionLabel(field->caption, &label, &labelLength);
    // A remark in parentheses is no part of the name: "Width (pixels)" is Width.
    const char* remark = static_cast<const char*>(std::memchr(label, '(', static_cast<size_t>(labelLength)));
    if (remark) labelLength = static_cast<int32_t>(remark - label);
    return labelIsNamed(label, labelLength, name, length);
}

class RowNames : public expression::Names {
  public:
    RowNames(Template& templ, int32_t row, int64_t& budget) : templ_(templ), row_(row), budget_(budget) {}

    int32_t find(const char* name, int32_t length, int32_t* list) override {
        *list = -1;
        const char* dot = static_cast<const char*>(std::memchr(name, '.', static_cast<size_t>(length)));
        if (!dot) return withNamesakes(visible(row_ - 1, name, length, holdsNumber), name, length);
        int32_t scope = visible(row_ - 1, name, static_cast<int32_t>(dot - name), isScope);
        // Inside the list's own items a path reads the item bound last: this one, or the one before.
        const TemplateField* end = scope >= 0 ? templ_.fields[scope]->partner : nullptr;
        if (!end) return -1;
        if (isList(templ_.fields[scope])) *list = scope;  // a structure's rows are read as plain names
        return inItem(scope, end->index, dot + 1, static_cast<int32_t>(name + length - dot - 1));
    }

  private:
    // The nearest row from `from` back that is not inside a list or structure closed before it: the
    // rows of closed cases, conditions and sections count, as binding may have read them.
    int32_t visible(int32_t from, const char* name, int32_t length, bool (*accepts)(const TemplateField*)) {
        for (int32_t q = from; q >= 0 && --budget_ > 0; --q) {
            const TemplateField* field = templ_.fields[q];
            if (isClosingCode(field->code) && field->partner && isScope(field->partner))
                field = templ_.fields[q = field->partner->index];
            if (accepts(field) && named(field, name, length)) return q;
        }
        return -1;
    }

    // The rows of the same name further back, each the next's namesake: binding takes the first of
    // them that it read, as a row of another case, say, may not have been.
    int32_t withNamesakes(int32_t found, const char* name, int32_t length) {
        for (int32_t q = found; q >= 0 && templ_.fields[q]->namesake == kNamesakeUnknown;) {
            int32_t next = visible(q - 1, name, length, holdsNumber);
            templ_.fields[q]->namesake = next;
            q = next;
        }
        return found;
    }

    // A row of the list's items, or the structure's rows, themselves: not of a list or structure in them.
    int32_t inItem(int32_t scope, int32_t endRow, const char* name, int32_t length) {
        for (int32_t q = scope + 1; q < endRow && --budget_ > 0; ++q) {
            const TemplateField* field = templ_.fields[q];
            const TemplateField* holder = field->parent;
            while (holder && !isScope(holder)) holder = holder->parent;
            if (holder == templ_.fields[scope] && holdsNumber(field) && named(field, name, length)) return q;
        }
        return -1;
    }

    Template& templ_;
    int32_t row_;
    int64_t& budget_;
};

bool fail(Template& templ, int32_t row, int32_t column, const char* message) {
    templ.errorRow = row;
    templ.errorColumn = column;
    templ.errorMessage = message;
    return false;
}

}  // namespace

// An INCL row names a template of the library between double quotes.
bool checkInclude(Template& templ, int32_t row) {
    const TemplateField* field = templ.fields[row];
    const char* name;
    int32_t length;
    const char* equals = std::strchr(field->caption, '=');
    int32_t column = equals ? static_cast<int32_t>(equals + 1 - field->caption) : 0;
    if (!includedName(field, &name, &length))
        return fail(templ, row, column, "a template's name in double quotes expected");
    if (!includedTemplate(field))
        return fail(templ, row, static_cast<int32_t>(name - field->caption), "no template of the library has this name");
    return true;
}

ParameterCount parameterCountOf(const char code[4]) {
    const Shape* shape = shapeOf(code);
    return shape ? shape->count : ParameterCount{0, 0};
}

bool takesLength(const char code[4]) {
    const Shape* shape = shapeOf(code);
    return shape && shape->length;
}

bool isCheckCode(const char code[4]) {
    const Shape* shape = shapeOf(code);
    return shape && shape->check;
}

void captionLabel(const char* caption, const char** label, int32_t* length) {
    const char* end = std::strchr(caption, '=');
    if (!end) end = caption + std::strlen(caption);
    while (caption < end && std::isspace(static_cast<unsigned char>(*caption))) ++caption;
    while (end > caption && std::isspace(static_cast<unsigned char>(end[-1]))) --end;
    *label = caption;
    *length = static_cast<int32_t>(end - caption);
}

void shownCaption(const TemplateField* field, const char** text, int32_t* length) {
    if (parameterCountOf(field->code).most > 0 || isCode(field->code, "INCL")) {
        captionLabel(field->caption, text, length);
    } else {
        *text = field->caption;
        *length = static_cast<int32_t>(std::strlen(field->caption));
    }
}

bool labelIsNamed(const char* label, int32_t labelLength, const char* name, int32_t nameLength) {
    const char* end = label + labelLength;
    int32_t at = 0;
    bool gap = false;  // characters other than word characters since the last one matched
    for (const char* c = label; c < end; ++c) {
        if (!isWordCharacter(*c) || *c == '_') {
            gap = at > 0;
            continue;
        }
        if (gap && (at >= nameLength || name[at++] != '_')) return false;
        gap = false;
        if (at >= nameLength ||
            std::tolower(static_cast<unsigned char>(name[at++])) != std::tolower(static_cast<unsigned char>(*c)))
            return false;
    }
    return at == nameLength && nameLength > 0;
}

void releaseParameters(TemplateField* field) {
    for (int32_t i = 0; i < field->parameterCount; ++i) expression::release(field->parameters[i]);
    delete[] field->parameters;
    field->parameters = nullptr;
    field->parameterCount = 0;
}

bool parseParameters(Template& templ) {
    templ.errorColumn = -1;
    templ.errorMessage = nullptr;
    int64_t budget = kLookupBudget;
    templ.hasParameters = false;
    for (int32_t row = 0; row < templ.fieldCount; ++row) templ.fields[row]->namesake = kNamesakeUnknown;
    for (int32_t row = 0; row < templ.fieldCount; ++row) {
        TemplateField* field = templ.fields[row];
        releaseParameters(field);
        if (isCode(field->code, "INCL") && !checkInclude(templ, row)) return false;
        ParameterCount count = parameterCountOf(field->code);
        if (count.most == 0) continue;
        const char* equals = std::strchr(field->caption, '=');
        if (!equals) return fail(templ, row, static_cast<int32_t>(std::strlen(field->caption)), "\"=\" expected");
        expression::Expression parsed[kMostParameters];
        // A list that ends on a condition reads it after each item, so it names the item's rows.
        const TemplateField* item = rowKindOf(field->code).list == 'U' ? field->partner : nullptr;
        RowNames names(templ, item ? item->index : row, budget);
        expression::ParseError error{0, nullptr};
        int32_t start = static_cast<int32_t>(equals + 1 - field->caption);
        int32_t n = expression::parseList(equals + 1, static_cast<int32_t>(std::strlen(equals + 1)), names, parsed,
                                          count.most, &error);
        if (n < 0) return fail(templ, row, start + error.column, budget > 0 ? error.message : "the template names too many rows");
        if (n < count.least) {
            for (int32_t i = 0; i < n; ++i) expression::release(parsed[i]);
            return fail(templ, row, static_cast<int32_t>(std::strlen(field->caption)), "more values expected");
        }
        field->parameters = new (std::nothrow) expression::Expression[n];
        if (!field->parameters) {
            for (int32_t i = 0; i < n; ++i) expression::release(parsed[i]);
            return fail(templ, row, 0, "there is not enough memory");
        }
        for (int32_t i = 0; i < n; ++i) field->parameters[i] = parsed[i];
        field->parameterCount = n;
        // Which files a template is for is no part of binding, which need not follow names for it.
        templ.hasParameters = templ.hasParameters || rowKindOf(field->code).role != RowRole::FileKind;
    }
    return true;
}
