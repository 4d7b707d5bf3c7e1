#pragma once
// What the two template dialogs share: the list of library templates (one row per template, in
// library order, the template as the row's item data, the first row selected), the choice read
// back from it, and the layout of list and buttons.
#include <windows.h>

class Template;

// The second button of the bottom row takes half the width, or whatever the first one left.
enum class SecondButtonWidth { half, rest };

// For WM_INITDIALOG: keeps the parameter in the user data, fills the list, sets the icons and
// lays the dialog out.
void initTemplateDialog(HWND dialog, LPARAM parameter);
// For WM_SIZE: the list above, OK and the second button side by side below.
void layoutTemplateDialog(HWND dialog, int secondButton, SecondButtonWidth width);
// The library template of the first selected row; null when no row is selected.
Template* chosenTemplate(HWND dialog);
