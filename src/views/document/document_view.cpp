// The document view's life: the window class, creation, placement, its file's name and destruction.
#include "views/document/document_view.h"

#include <utility>

#include "mainwindow/window_object.h"
#include "mainwindow/window_resources.h"
#include "shell/drawing_resources.h"
#include "shell/strings.h"
#include "shell/ui_strings.h"
#include "views/document/byte_pane_place.h"

namespace {

constexpr const char* kClassName = "TfrmDocument";

}  // namespace

void registerDocumentViewClass() {
    registerBytePaneClass();
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
      fileName_(shown->path ? FileNameOfPath(shown->path) : DupString(UIStrings[usUntitled])),
      rows_(shown, extent.height, extent.rows),
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
    pane_.Create(parent);
}

TfrmDocument::~TfrmDocument() {
    detachWindowObject(hwnd, this);
    destroyDocument(document);
    delete[] fileName_;
}

void TfrmDocument::SetBounds(const RECT& bounds) {
    RECT rows, bytes;
    splitForBytes(bounds, pane_.FullWidth(), &rows, &bytes);
    for (auto [window, area] : {std::pair{hwnd, rows}, std::pair{pane_.hwnd, bytes}}) {
        MoveWindow(window, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
        // The frame too: a scroll bar or edge now stands where the other window's text was.
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
}

const char* TfrmDocument::FileName() const {
    return fileName_;
}

bool TfrmDocument::Unsaved() const {
    return !document->saved;
}

void TfrmDocument::MakeCurrent(RowSpot spot) {
    if (current) current->flags &= ~kInstanceCurrent;
    current = spot.instance;
    currentTop_ = spot.top;
    if (current) current->flags |= kInstanceCurrent;
    note_.clear();
    UpdateStatus();
    pane_.FollowCurrent();
}

void TfrmDocument::CurrentFromByte(int64_t offset, bool extend) {
    MoveCurrent(bytes_.rowAt(offset, rows_.last()), extend);
}
