#pragma once
// The modal dialog "dlgTemplateField" that edits one template row's code and caption in place.
#include <windows.h>

struct TemplateField;

// True after OK, with the field's code and caption replaced; false after Cancel or the close box,
// with the field untouched. The template's marks are left alone.
bool EditTemplateField(HWND owner, TemplateField* field);
