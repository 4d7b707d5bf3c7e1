#pragma once
// Questions to the user about one file, in a message box titled with the program's name.
#include <windows.h>

#include "shell/ui_strings.h"

// The UI string's question with the file's name in place of its "%s"; the button pressed (IDYES, ...).
int askAboutFile(HWND owner, UIStringIndex question, const char* name, UINT buttons);
