#pragma once
// The module every window and resource load refers to, and the cursor of the main window class.
// The entry point sets both before the main frame is created.
#include <windows.h>

extern HINSTANCE moduleInstance;
extern HCURSOR curArrow;
