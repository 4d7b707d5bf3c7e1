#pragma once
// "debug.log" in the working directory: truncated at start-up, then appended to one line at a
// time, each line on disk before the next one is produced.

namespace shell {

// From now on the log is the "debug.log" of this folder, wherever the working directory goes.
void placeDebugLogIn(const char* folder);
void truncateDebugLog();
// Sends the line to the debugger output and appends it to "debug.log".
void logLine(const char* line);

}  // namespace shell
