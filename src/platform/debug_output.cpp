#include "platform/debug_output.h"

namespace platform {

void systemDebugOutput(const char* text);  // the platform half

static DebugOutputSink extraSink = nullptr;

void debugOutput(const char* text) {
    systemDebugOutput(text);
    if (extraSink) extraSink(text);
}

DebugOutputSink setDebugOutputSink(DebugOutputSink sink) {
    DebugOutputSink old = extraSink;
    extraSink = sink;
    return old;
}

}  // namespace platform
