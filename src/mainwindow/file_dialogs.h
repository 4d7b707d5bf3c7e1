#pragma once
// The open and save file dialogs of the commands, with the program's filter "*.*".
#include <windows.h>

constexpr int kPathBufferSize = 264;

// False when the user cancelled; otherwise path holds the chosen file.
bool askPathToOpen(HWND owner, char (&path)[kPathBufferSize]);
bool askPathToSave(HWND owner, char (&path)[kPathBufferSize]);
