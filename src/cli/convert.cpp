#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "cli/template_text.h"
#include "fieldtypes/registry.h"
#include "templates/template.h"
#include "templates/template_library.h"

// The first row that would keep a file from opening with the template. It is written all the same:
// a field type may be registered by more than the program itself.
static void warnOfInvalidRows(const std::string& path, const Template& templ, const std::vector<int>& lines,
                              const std::string& library) {
    Session engine;  // registers the field types
    templateLibrary.scan(library.c_str(), true);  // for the structures it uses
    for (int32_t i = 0; i < templ.fieldCount; ++i) {
        const char* code = templ.fields[i]->code;
        if (isControlCode(code) || findFieldType(fieldCodeOf(code))) continue;
        warn(path + ", line " + std::to_string(lines[i]) + ": row " + std::to_string(i + 1) + ", " +
             codeText(code) + ", is neither a field type nor a control code; it is written all the same.");
        return;
    }
    // The same parse the template editor and opening a document make.
    Template* copy = templ.clone();
    if (copy && copy->errorMessage) {
        int32_t row = copy->errorRow;
        warn(path + ", line " + std::to_string(lines[row]) + ": row " + std::to_string(row + 1) + ", " +
             codeText(copy->fields[row]->code) + ", column " + std::to_string(copy->errorColumn + 1) + ": " +
             copy->errorMessage + "; it is written all the same.");
    }
    delete copy;
}

int runCompile(const Options& options) {
    if (options.operands.size() != 2) return fail(kExitUsage, "compile takes IN.txt and OUT.tmpl.");
    std::ifstream in(options.operands[0], std::ios::binary);
    if (!in) return fail(kExitFile, "cannot read " + options.operands[0] + ".");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Template templ;
    std::string error;
    std::vector<int> lines;
    if (!parseTemplateText(text, &templ, &error, &lines))
        return fail(kExitTemplateUnreadable, options.operands[0] + ", " + error + ".");
    warnOfInvalidRows(options.operands[0], templ, lines, options.templatesDir);
    if (templ.save(options.operands[1].c_str()) != 0)
        return fail(kExitFile, "cannot write " + options.operands[1] + ".");
    return kExitDone;
}

int runDecompile(const Options& options) {
    if (options.operands.size() != 1) return fail(kExitUsage, "decompile takes IN.tmpl.");
    Template templ;
    if (templ.load(options.operands[0].c_str()) != 0)
        return fail(kExitFile, "cannot read " + options.operands[0] + ".");
    std::string text = templateToText(templ);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kExitDone;
}
