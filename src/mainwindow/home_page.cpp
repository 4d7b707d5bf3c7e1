#include "mainwindow/home_page.h"

#include <shellapi.h>

const char* const kHomePageUrl = "https://sondrix.org/";

void openHomePage(HWND owner) {
    ShellExecuteA(owner, nullptr, kHomePageUrl, nullptr, nullptr, SW_SHOWDEFAULT);
}
