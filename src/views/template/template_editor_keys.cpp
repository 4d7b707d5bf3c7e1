// The keyboard: caret movement (Left and Right follow the section a field belongs to), Enter to
// edit, Insert and Delete. Other keys go on to the main window.
#include <windows.h>

#include <algorithm>

#include "templates/template.h"
#include "views/template/template_editor.h"

bool TfrmTemplate::OnKeyDown(WPARAM key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
            caretRow = CaretTarget(key);
            selStart = selEnd = caretRow;
            ScrollIntoView(caretRow);
            InvalidateRect(hwnd, nullptr, FALSE);
            return true;
        case VK_RETURN:
            if (IsField(caretRow)) EditField(caretRow);
            return true;
        case VK_INSERT:
            OnInsertKey(shift);
            return true;
        case VK_DELETE:
        case VK_BACK:
            OnDeleteKey(shift);
            return true;
    }
    return false;
}

// Pages count from the start of the selection, not from the caret.
int32_t TfrmTemplate::CaretTarget(WPARAM key) const {
    const int32_t last = templ->fieldCount - 1;
    const TemplateField* field = IsField(caretRow) ? templ->fields[caretRow] : nullptr;
    switch (key) {
        case VK_UP:
            return std::max(caretRow - 1, 0);
        case VK_DOWN:
            return std::min(caretRow + 1, last);
        case VK_LEFT:
            if (caretRow <= 0) return 0;
            if (field && field->parent) return templ->indexOf(field->parent, -1);
            return caretRow - 1;
        case VK_RIGHT:
            if (field && field->parent && field->parent->partner) {
                return templ->indexOf(field->parent->partner, -1);
            }
            return std::min(caretRow + 1, last);
        case VK_PRIOR:
            return std::max(selStart - pageRows + 2, 0);
        case VK_NEXT:
            return std::min(selStart + pageRows - 2, last);
        case VK_HOME:
            return 0;
        default:  // VK_END
            return last;
    }
}

void TfrmTemplate::OnInsertKey(bool shift) {
    const int32_t row = shift ? caretRow + 1 : caretRow;
    if (row >= 0 && row <= templ->fieldCount) InsertFieldAt(row);
}

// The selection stays where it was, even past the last field.
void TfrmTemplate::OnDeleteKey(bool shift) {
    if (caretRow < 0) return;
    const int32_t row = shift ? caretRow + 1 : caretRow;
    if (IsField(row)) DeleteFieldAt(row);
    if (caretRow >= templ->fieldCount) {
        InvalidateRect(hwnd, nullptr, FALSE);
        caretRow = templ->fieldCount - 1;
    }
}
