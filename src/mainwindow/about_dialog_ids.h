#pragma once
// Control ids of the About box "dlgAbout".

#define IDC_ABOUT_HOME_PAGE 1011
#define IDC_ABOUT_VERSION 1012
#define ABOUT_HOME_PAGE_TEXT "Go to homepage: https://sondrix.org/"
