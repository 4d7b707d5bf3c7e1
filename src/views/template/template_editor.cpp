// The editor's life: construction on a clone, its name and unsaved state, placement on the tab, and
// saving back to the template's file and into the library.
#include "views/template/template_editor.h"

#include <new>

#include "mainwindow/window_resources.h"
#include "templates/template.h"
#include "templates/template_library.h"

TfrmTemplate* TfrmTemplate::Create(TfrmMain* owner, HWND parent, const Template* libraryTemplate) {
    if (!libraryTemplate) return nullptr;
    Template* clone = libraryTemplate->clone();
    if (!clone) return nullptr;
    auto* view = new (std::nothrow) TfrmTemplate(owner, clone);
    if (!view) {
        delete clone;
        return nullptr;
    }
    view->CreateEditorWindow(parent);
    if (!view->hwnd) {
        delete view;
        return nullptr;
    }
    ShowWindow(view->hwnd, SW_SHOW);
    return view;
}

TfrmTemplate::TfrmTemplate(TfrmMain* owner, Template* clone) : TfrmView(owner), templ(clone) {
    UpdateCaption();
    bottomRow = templ->fieldCount - 1;
}

TfrmTemplate::~TfrmTemplate() {
    // The window outlives the view when the program ends on Exit.
    if (hwnd) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    delete templ;
}

void TfrmTemplate::CreateEditorWindow(HWND parent) {
    CreateWindowExA(WS_EX_STATICEDGE, kTemplateEditorClass, caption, WS_CHILD | WS_VSCROLL | WS_HSCROLL, 0, 0,
                    0, 0, parent, nullptr, moduleInstance, this);
    if (hwnd) MeasureColumns();
}

void TfrmTemplate::SetBounds(const RECT& bounds) {
    MoveWindow(hwnd, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, FALSE);
    InvalidateRect(hwnd, nullptr, FALSE);
}

const char* TfrmTemplate::FileName() const {
    return templ->name ? templ->name : "";
}

bool TfrmTemplate::Unsaved() const {
    return !saved;
}

int32_t TfrmTemplate::Save() {
    int32_t result = templ->save(templ->path);
    if (result >= 0) {
        saved = true;
        templateLibrary.replaceByName(templ);
    }
    return result;
}
