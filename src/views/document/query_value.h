#pragma once
// The modal one-line value entry used by the field types. Returns the confirmed text as a new
// string the caller releases with delete[], or null when the user cancelled. Text that refuse
// gives a reason for stays in the dialog, the reason shown above the prompt, for the user to correct.
#include "platform/types.h"

// Why the text is no answer; null when it is one.
using RefuseTextProc = const char* (*)(const char* text);

char* queryValue(platform::Window owner, const char* title, const char* prompt, const char* initialText,
                 RefuseTextProc refuse);
