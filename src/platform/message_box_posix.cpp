#include "platform/debug_output.h"
#include "platform/message_box.h"

namespace platform {

int messageBox(Window, const char* text, const char* caption, uint32_t) {
    debugOutput(caption);
    debugOutput(": ");
    debugOutput(text);
    debugOutput("\n");
    return kIdOk;
}

}  // namespace platform
