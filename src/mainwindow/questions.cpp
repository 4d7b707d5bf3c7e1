#include "mainwindow/questions.h"

#include <cstdio>

#include "mainwindow/file_dialogs.h"

int askAboutFile(HWND owner, UIStringIndex question, const char* name, UINT buttons) {
    char text[kPathBufferSize + 200];
    std::snprintf(text, sizeof text, UIStrings[question], name);
    return MessageBoxA(owner, text, UIStrings[usProductName], buttons | MB_ICONQUESTION);
}
