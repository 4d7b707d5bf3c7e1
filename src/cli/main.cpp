// sondrix-cli: dissect, edit and convert from the command line with the engine of Sondrix.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/options.h"

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return kExitDone;
    }
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, &options, &error)) return fail(kExitUsage, error + "\n" + kUsage);
    if (options.command == "dump") return runDump(options);
    if (options.command == "edit") return runEdit(options);
    if (options.command == "templates") return runTemplates(options);
    if (options.command == "detect") return runDetect(options);
    if (options.command == "compile") return runCompile(options);
    if (options.command == "decompile") return runDecompile(options);
    return fail(kExitUsage, "unknown command " + options.command + "\n" + kUsage);
}
