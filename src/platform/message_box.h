#pragma once
// MessageBoxA on Windows. Without a desktop the text goes to the debugger output and the box
// answers OK at once; tests can read what was shown.
#include <cstdint>

#include "platform/types.h"

namespace platform {

constexpr uint32_t kMbOk = 0;
constexpr int kIdOk = 1;

int messageBox(Window owner, const char* text, const char* caption, uint32_t style);

}  // namespace platform
