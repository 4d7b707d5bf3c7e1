#pragma once
// What the two template dialogs share: the list of library templates (one row per template, in
// library order, the template as the row's item data, the first row selected), the choice read
// back from it, and the layout of list and buttons.
#include <windows.h>

class Template;

// The second button of the bottom row takes half the width, or whatever the first one left.
enum class SecondButtonWidth { half, rest };

// What sets one template dialog apart from the other.
struct TemplateDialogRules {
    int secondButton;  // beside OK, below the list
    SecondButtonWidth secondWidth;
    void (*onDoubleClick)(HWND dialog);
    void (*onCommand)(HWND dialog, int id);  // every command; the result is always "handled"
};

// The dialog procedure of both: on WM_INITDIALOG it keeps the parameter in the user data, fills
// the list, sets the icons and lays the dialog out; on WM_SIZE it lays out the list above, OK and
// the second button side by side below.
INT_PTR templateDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                              const TemplateDialogRules& rules);
// The library template of the first selected row; null when no row is selected.
Template* chosenTemplate(HWND dialog);
