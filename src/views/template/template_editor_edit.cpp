// Changing the rows through the field dialog: editing one, inserting a new one, deleting one.
// Every confirmed change marks the editor unsaved.
#include <windows.h>

#include "templates/template.h"
#include "views/template/template_editor.h"
#include "views/template/template_field_dialog.h"

namespace {

// The main window takes the focus back when a modal dialog ends; the keys belong to the editor.
bool askForField(HWND editor, TemplateField* field) {
    bool confirmed = EditTemplateField(GetParent(editor), field);
    SetFocus(editor);
    return confirmed;
}

}  // namespace

// An edited code shows in the indentation only after the next insertion or deletion links again.
void TfrmTemplate::EditField(int32_t row) {
    if (!IsField(row)) return;
    if (!askForField(hwnd, templ->fields[row])) return;
    InvalidateRect(hwnd, nullptr, FALSE);
    saved = false;
    UpdateCaption();
}

// The new row starts as "????" with no caption; cancelling the dialog takes it out again.
void TfrmTemplate::InsertFieldAt(int32_t row) {
    TemplateField* field = templ->insertField(row, "????", nullptr);
    if (!field) return;
    caretRow = row;
    if (!askForField(hwnd, field)) {
        templ->removeField(row);
        return;
    }
    templ->link();
    InvalidateRect(hwnd, nullptr, FALSE);
    saved = false;
    UpdateCaption();
}

void TfrmTemplate::DeleteFieldAt(int32_t row) {
    if (!IsField(row)) return;
    templ->removeField(row);
    templ->link();
    InvalidateRect(hwnd, nullptr, FALSE);
    saved = false;
    UpdateCaption();
}
