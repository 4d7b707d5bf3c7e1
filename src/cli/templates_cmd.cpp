#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "templates/template.h"
#include "templates/template_includes.h"
#include "templates/template_library.h"

// One line per library template: name, path, rows, and whether it resolves; then what it uses and what
// uses it.
int runTemplates(const Options& options) {
    if (!options.operands.empty()) return fail(kExitUsage, "templates takes no file.");
    Session session;
    templateLibrary.scan(options.templatesDir.c_str(), true);
    for (int32_t i = 0; i < templateLibrary.count; ++i) {
        Template* templ = templateLibrary.templates[i];
        bool valid = templ->resolve() == 0;
        std::printf("%-24s %4d rows  %-7s  %s\n", templ->name, templ->fieldCount, valid ? "valid" : "invalid",
                    templ->path);
        if (!valid) std::printf("    %s\n", invalidTemplateMessage(*templ).c_str());
        std::string reuse = reuseText(*templ);
        if (!reuse.empty()) std::printf("    %s\n", reuse.c_str());
    }
    return kExitDone;
}
