#pragma once
// The modal dialog "dlgGoToOffset", which asks for a byte offset of the document.
#include <windows.h>

#include <cstdint>

// False when cancelled. *offset holds the offset shown at first and the one typed after OK. Text
// that is no offset, or an offset past the end of `size` bytes, keeps the dialog open, and the
// prompt says why.
bool askOffset(HWND owner, int64_t* offset, int64_t size);
