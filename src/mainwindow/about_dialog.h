#pragma once
// The About box "dlgAbout", modal to the owner.
#include <windows.h>

extern const char* const kAboutVersion;

void ShowAboutBox(HWND owner);
