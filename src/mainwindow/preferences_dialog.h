#pragma once
// The modal dialog "dlgPreferences": the settings the settings file keeps for every document.
#include <windows.h>

#include "views/document/byte_pane_place.h"

struct Preferences {
    BytePlace place;
    int rowPoints;   // 0: the system's size
    int bytePoints;  // 0: the system's size
};

// False when cancelled. *preferences holds those shown at first and the ones chosen after OK; a size
// out of range keeps the dialog open, and the dialog says why.
bool askPreferences(HWND owner, Preferences* preferences);
