#pragma once
// The debugger output channel: OutputDebugStringA on Windows.

namespace platform {

void debugOutput(const char* text);

// Lets tests and the command-line tool see what the program would send to a debugger.
using DebugOutputSink = void (*)(const char* text);
DebugOutputSink setDebugOutputSink(DebugOutputSink sink);

}  // namespace platform
