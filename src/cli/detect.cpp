#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "templates/template_choice.h"
#include "templates/template_library.h"

namespace {

std::string reasonText(uint8_t reasons) {
    std::string text;
    if (reasons & kMatchContent) text = "content";
    if (reasons & kMatchExtension) text += text.empty() ? "extension" : ", extension";
    return text;
}

}  // namespace

// One line per library template that suits the file, best first: its name and why.
int runDetect(const Options& options) {
    if (options.operands.size() != 1) return fail(kExitUsage, "detect takes one file.");
    const std::string& file = options.operands[0];
    FileHead head = readFileHead(file.c_str());
    if (!head.opened) return fail(kExitFile, "cannot read " + file + ".");
    Session session;
    templateLibrary.scan(options.templatesDir.c_str(), true);
    // No settings file: what was last chosen is the program's, not the command line's.
    for (const TemplateMatch& match : matchingTemplates(templateLibrary, file.c_str(), head, nullptr))
        std::printf("%-24s %s\n", templateLibrary.templates[match.index]->name, reasonText(match.reasons).c_str());
    return kExitDone;
}
