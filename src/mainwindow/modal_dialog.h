#pragma once
// A modal dialog over a record: WM_INITDIALOG fills the controls from it, OK checks what was typed and
// either ends the dialog (1) or keeps it open with the reason, Cancel ends it (0).
#include <windows.h>

#include "mainwindow/window_resources.h"

template <typename Record, INT_PTR (*Init)(HWND, Record*), void (*Ok)(HWND, Record*)>
INT_PTR CALLBACK recordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return Init(dialog, reinterpret_cast<Record*>(lParam));
    auto* record = reinterpret_cast<Record*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (message != WM_COMMAND || !record) return FALSE;
    switch (LOWORD(wParam)) {
        case IDOK:
            Ok(dialog, record);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

// Whether OK ended the dialog.
template <typename Record, INT_PTR (*Init)(HWND, Record*), void (*Ok)(HWND, Record*)>
bool runRecordDialog(HWND owner, const char* name, Record* record) {
    return DialogBoxParamA(moduleInstance, name, owner, recordDialogProc<Record, Init, Ok>,
                           reinterpret_cast<LPARAM>(record)) == 1;
}
