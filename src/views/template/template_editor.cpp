// The editor's life: construction on a clone, the caption with the unsaved mark, placement on the
// tab, and saving back to the template's file and into the library.
#include "views/template/template_editor.h"

#include <cstring>
#include <new>

#include "mainwindow/window_resources.h"
#include "templates/template.h"
#include "templates/template_library.h"

namespace {

constexpr const char kUnsavedMark[] = " [*]";

}  // namespace

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

void TfrmTemplate::UpdateCaption() {
    const char* name = templ->name ? templ->name : "";
    size_t length = std::strlen(name);
    size_t markLength = saved ? 0 : sizeof kUnsavedMark - 1;
    // Without memory the tab keeps its old text.
    if (char* fresh = new (std::nothrow) char[length + markLength + 1]) {
        std::memcpy(fresh, name, length);
        std::memcpy(fresh + length, kUnsavedMark, markLength);
        fresh[length + markLength] = '\0';
        delete[] caption;
        caption = fresh;
    }
    if (hwnd) SetWindowTextA(hwnd, caption);
    TfrmView::UpdateCaption();
}

int32_t TfrmTemplate::Save() {
    int32_t result = templ->save(templ->path);
    if (result >= 0) {
        saved = true;
        templateLibrary.replaceByName(templ);
    }
    return result;
}
