// Opening a template editor on a tab of its own.
#include "mainwindow/main_frame.h"
#include "views/template/template_editor.h"

void TfrmMain::OpenTemplateEditor(Template* libraryTemplate) {
    TfrmTemplate* view = TfrmTemplate::Create(this, hwnd, libraryTemplate);
    if (!view) return;
    if (TabEntry* entry = AddView(vkTemplate, view)) ActivateView(entry);
}
