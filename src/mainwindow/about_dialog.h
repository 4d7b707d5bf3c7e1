#pragma once
// The About box "dlgAbout", modal to the owner.
#include <windows.h>

void ShowAboutBox(HWND owner);
