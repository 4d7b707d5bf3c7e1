#include <cstdio>

#include "cli/commands.h"
#include "cli/document_session.h"
#include "cli/exit_codes.h"
#include "cli/row_output.h"

int runDump(const Options& options) {
    if (options.operands.size() != 1) return fail(kExitUsage, "dump takes one file to dissect.");
    DocumentSession session;
    int code = session.open(options, options.operands[0]);
    if (code != kExitDone && !session.document()) return code;
    if (options.json) {
        printRowsAsJson(session.document(), stdout);
    } else {
        printRowsAsText(session.document(), stdout);
    }
    return session.reportBinding();
}
