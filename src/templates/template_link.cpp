#include <cstdio>
#include <new>

#include "document/case_match.h"
#include "fieldtypes/registry.h"
#include "shell/debug_log.h"
#include "templates/row_parameters.h"
#include "templates/template_includes.h"
#include "templates/template.h"

namespace {

void logMisplacedClosing(const TemplateField* field, int32_t row, const char* templateName) {
    static const char kFormat[] = "Bad field: %.4s (\"%s\") at line %d of template %s\n";
    const char* name = templateName ? templateName : "";
    int length = std::snprintf(nullptr, 0, kFormat, field->code, field->caption, row, name);
    if (length < 0) return;
    char* line = new (std::nothrow) char[length + 1];
    if (!line) return;
    std::snprintf(line, length + 1, kFormat, field->code, field->caption, row, name);
    shell::logLine(line);
    delete[] line;
}

}  // namespace

// One pass with the open sections kept as the chain of parent links from the innermost opening
// field, so that nesting depth costs no stack.
void Template::link() {
    if (linked) return;
    for (int32_t i = 0; i < fieldCount; ++i) {
        TemplateField* field = fields[i];
        field->depth = 0;
        field->parent = nullptr;
        field->partner = nullptr;
        field->hasCases = false;
        field->index = i;
    }
    TemplateField* opening = nullptr;
    TemplateField* last = nullptr;  // the latest field of this level that is not a case row
    int32_t depth = 0;
    for (int32_t i = 0; i < fieldCount; ++i) {
        TemplateField* field = fields[i];
        field->parent = opening;
        field->depth = depth;
        if (isOpeningCode(field->code) || field->expanded) {
            opening = field;
            last = nullptr;
            ++depth;
        } else if (isClosingCode(field->code)) {
            if (!opening) {
                logMisplacedClosing(field, i, name);
                break;
            }
            field->partner = opening;
            opening->partner = field;
            field->parent = opening->parent;
            field->depth = --depth;
            opening = opening->parent;
            last = field;
        } else if (isCaseCode(field->code)) {
            field->parent = last;
            field->depth = depth + 1;
            if (last) last->hasCases = true;
        } else {
            last = field;
        }
    }
    linked = true;
}

int Template::resolve() {
    errorRow = 0;
    errorColumn = -1;
    errorMessage = nullptr;
    if (resolved) return 0;
    if (!resolveTypes()) return -4;
    link();
    bool checkedOnCopy = usesStructures(*this) && !structuresExpanded;
    if (checkedOnCopy ? !parametersOfExpanded() : !parseParameters(*this)) return -4;
    resolved = true;
    return 0;
}

bool Template::resolveTypes() {
    ensureRegistry();
    for (int32_t i = 0; i < fieldCount; ++i) {
        TemplateField* field = fields[i];
        if (isControlCode(field->code)) {
            field->fieldType = nullptr;
            if (isCaseCode(field->code) && !caseValuesAreValid(field->caption)) {
                errorRow = i;
                errorColumn = 0;
                errorMessage = "a value does not fit 64 bits";
                return false;
            }
            continue;
        }
        field->fieldType = findFieldType(fieldCodeOf(field->code));
        if (!field->fieldType) {
            errorRow = i;
            return false;
        }
    }
    return true;
}

// Names may stand for rows of the structures a template uses, which only an expanded copy has; an
// error there is the INCL row's that put the row in.
bool Template::parametersOfExpanded() {
    for (int32_t i = 0; i < fieldCount; ++i) {
        if (isCode(fields[i]->code, "INCL") && !checkInclude(*this, i)) return false;
    }
    Template copy;
    for (int32_t i = 0; i < fieldCount; ++i) {
        if (!copy.appendField(fields[i]->code, fields[i]->caption)) {
            errorMessage = "there is not enough memory";
            return false;
        }
    }
    std::vector<int32_t> origin;
    expandIncludes(copy, &origin);
    copy.link();
    if (copy.resolveTypes() && parseParameters(copy)) return true;
    errorRow = origin[static_cast<size_t>(copy.errorRow)];
    errorColumn = errorRow == copy.errorRow ? copy.errorColumn : -1;
    errorMessage = copy.errorMessage;
    return false;
}
