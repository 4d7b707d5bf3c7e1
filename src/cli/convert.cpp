#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/template_text.h"
#include "templates/template.h"

int runCompile(const Options& options) {
    if (options.operands.size() != 2) return fail(kExitUsage, "compile takes IN.txt and OUT.tmpl.");
    std::ifstream in(options.operands[0], std::ios::binary);
    if (!in) return fail(kExitFile, "cannot read " + options.operands[0] + ".");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Template templ;
    std::string error;
    if (!parseTemplateText(text, &templ, &error))
        return fail(kExitTemplateUnreadable, options.operands[0] + ", " + error + ".");
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
