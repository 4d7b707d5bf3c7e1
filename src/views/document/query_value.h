#pragma once
// The modal one-line value entry used by the field types. Returns the confirmed text as a new
// string the caller releases with delete[], or null when the user cancelled or accept refused.
#include "platform/types.h"

using AcceptTextProc = int (*)(const char* text);

char* queryValue(platform::Window owner, const char* title, const char* prompt, const char* initialText,
                 AcceptTextProc accept);
