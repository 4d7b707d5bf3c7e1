#pragma once
// Dialog labels whose text is only known at run time: the label takes the height its text needs,
// wrapped at the label's width, and the controls below it and the dialog move with its bottom edge.
#include <windows.h>

void fitLabelToText(HWND dialog, int labelId);

// Why the typed text goes nowhere, in place of the prompt, with a beep; the text keeps the focus.
void refuseTyped(HWND dialog, int promptId, HWND edit, const char* reason);
