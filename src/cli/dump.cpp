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
    RowRange range{options.firstRow, options.lastRow};
    bool read = options.json ? printRowsAsJson(session.document(), range, stdout)
                             : printRowsAsText(session.document(), range, stdout);
    if (!read) return fail(kExitFile, "The file changed while its rows were read; dump it again.");
    return session.reportBinding();
}
