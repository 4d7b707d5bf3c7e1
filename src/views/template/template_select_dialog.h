#pragma once
// The modal dialog "dlgSelectTemplate": which library template a new or opened document uses.
#include <windows.h>

class Template;

// The chosen library template (the library keeps it), or null after Cancel, Escape, the close box
// or a choice with nothing selected. For a file (path not null) the title names the file, the
// template it most likely wants is selected at first, and the choice is remembered for files of its
// extension.
Template* SelectTemplate(HWND owner, const char* path = nullptr);
