#include <windows.h>

#include "platform/message_box.h"

namespace platform {

int messageBox(Window owner, const char* text, const char* caption, uint32_t style) {
    return MessageBoxA(static_cast<HWND>(owner), text, caption, style);
}

}  // namespace platform
