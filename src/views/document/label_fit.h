#pragma once
// Dialog labels whose text is only known at run time: the label takes the height its text needs,
// wrapped at the label's width, and the controls below it and the dialog move with its bottom edge.
#include <windows.h>

void fitLabelToText(HWND dialog, int labelId);
