#pragma once
// "debug.log" in the working directory: truncated at start-up, then appended to one line at a
// time, each line on disk before the next one is produced.

namespace shell {

void truncateDebugLog();
// Sends the line to the debugger output and appends it to "debug.log".
void logLine(const char* line);

}  // namespace shell
