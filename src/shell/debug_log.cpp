#include "shell/debug_log.h"

#include <cstdio>
#include <cstring>

#include "platform/debug_output.h"

namespace shell {

namespace {

char logPath[300] = "debug.log";

}  // namespace

void placeDebugLogIn(const char* folder) {
    char placed[sizeof logPath];
    int length = std::snprintf(placed, sizeof placed, "%s\\debug.log", folder);
    if (length > 0 && length < static_cast<int>(sizeof placed)) std::memcpy(logPath, placed, length + 1);
}

void truncateDebugLog() {
    if (FILE* file = std::fopen(logPath, "w")) std::fclose(file);
}

void logLine(const char* line) {
    platform::debugOutput(line);
    if (FILE* file = std::fopen(logPath, "at")) {
        std::fputs(line, file);
        std::fclose(file);
    }
}

}  // namespace shell
