// The document view's life: the window class, creation, placement, the caption and destruction.
#include "views/document/document_view.h"

#include <cstring>
#include <new>

#include "mainwindow/window_resources.h"
#include "shell/drawing_resources.h"
#include "shell/strings.h"
#include "shell/ui_strings.h"

namespace {

constexpr const char* kClassName = "TfrmDocument";
constexpr char kUnsavedMark[] = " [*]";

// The name followed by the mark, replacing the name; the name alone without memory for more.
char* withUnsavedMark(char* name) {
    size_t length = std::strlen(name);
    char* marked = new (std::nothrow) char[length + sizeof kUnsavedMark];
    if (!marked) return name;
    std::memcpy(marked, name, length);
    std::memcpy(marked + length, kUnsavedMark, sizeof kUnsavedMark);
    delete[] name;
    return marked;
}

}  // namespace

void registerDocumentViewClass() {
    WNDCLASSEXA viewClass{};
    viewClass.cbSize = sizeof(viewClass);
    viewClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    viewClass.lpfnWndProc = TfrmDocument::WindowProc;
    viewClass.hInstance = moduleInstance;
    viewClass.hbrBackground = static_cast<HBRUSH>(brWindow);
    viewClass.lpszClassName = kClassName;
    RegisterClassExA(&viewClass);  // fails harmlessly when an earlier frame registered it
}

TfrmDocument::TfrmDocument(TfrmMain* owner, HWND parent, Document* shown)
    : TfrmDocument(owner, parent, shown, measureDocument(shown, shown->first, 0)) {}

TfrmDocument::TfrmDocument(TfrmMain* owner, HWND parent, Document* shown, const DocumentExtent& extent)
    : TfrmView(owner),
      document(shown),
      rows_(shown, extent.height),
      bytes_(shown, extent.bytes, extent.found, extent.foundOffset) {
    UpdateCaption();
    top_ = rows_.first();
    if (shown->first) {
        MakeCurrent(rows_.first());
        selection_.select(shown->first);
    }
    RECT area;
    GetClientRect(parent, &area);
    CreateWindowExA(WS_EX_STATICEDGE, kClassName, shown->displayName,
                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, area.right, area.bottom, parent,
                    nullptr, moduleInstance, this);
}

TfrmDocument::~TfrmDocument() {
    // After Exit the window lives on; late messages must not reach the deleted object.
    if (IsWindow(hwnd) && GetWindowLongPtrA(hwnd, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this)) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    }
    destroyDocument(document);
}

void TfrmDocument::SetBounds(const RECT& bounds) {
    MoveWindow(hwnd, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, FALSE);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void TfrmDocument::UpdateCaption() {
    char* name = document->path ? FileNameOfPath(document->path) : DupString(UIStrings[usUntitled]);
    if (!document->saved) name = withUnsavedMark(name);
    delete[] caption;
    caption = name;
    if (hwnd) SetWindowTextA(hwnd, caption);
    TfrmView::UpdateCaption();
}

void TfrmDocument::MakeCurrent(RowSpot spot) {
    if (current) current->flags &= ~kInstanceCurrent;
    current = spot.instance;
    currentTop_ = spot.top;
    if (current) current->flags |= kInstanceCurrent;
    UpdateStatus();
}
