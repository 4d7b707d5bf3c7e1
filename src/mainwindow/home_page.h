#pragma once
// The product's home page, opened in the user's browser by the menu and by the About box.
#include <windows.h>

extern const char* const kHomePageUrl;

// Asks the shell to open the home page; what the shell answers is not looked at.
void openHomePage(HWND owner);
