#include "shell/debug_log.h"

#include <cstdio>

#include "platform/debug_output.h"

namespace shell {

void truncateDebugLog() {
    if (FILE* file = std::fopen("debug.log", "w")) std::fclose(file);
}

void logLine(const char* line) {
    platform::debugOutput(line);
    if (FILE* file = std::fopen("debug.log", "at")) {
        std::fputs(line, file);
        std::fclose(file);
    }
}

}  // namespace shell
