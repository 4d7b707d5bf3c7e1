#pragma once
// What the template dialogs share: the program icon on their caption and the layout of their
// controls on every resize.
#include <windows.h>

// A control's place in client pixels.
struct ControlPlacement {
    int id;
    int x;
    int y;
    int width;
    int height;
};

// "icoMain" as the dialog's large and small icon.
void setProgramIcons(HWND dialog);
// Moves the controls in one batch, keeping their z-order.
void placeControls(HWND dialog, const ControlPlacement* placements, int count);
