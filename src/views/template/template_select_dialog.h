#pragma once
// The modal dialog "dlgSelectTemplate": which library template a new or opened document uses.
#include <windows.h>

class Template;

// The chosen library template (the library keeps it), or null after Cancel, Escape, the close box
// or a choice with nothing selected.
Template* SelectTemplate(HWND owner);
