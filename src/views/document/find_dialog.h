#pragma once
// The modal dialog "dlgFind", which asks what to find: text, a number or hexadecimal bytes.
#include <windows.h>

#include <string>

#include "document/find.h"

// What was asked last, shown again the next time.
struct FindRequest {
    std::string typed;
    FindQuery query;
};

// False when cancelled. Text that spells nothing of the kind chosen keeps the dialog open, and the
// prompt says why.
bool askFind(HWND owner, FindRequest* request);
