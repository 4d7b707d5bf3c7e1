#include "mainwindow/view.h"

#include <cstring>
#include <new>

#include "mainwindow/main_frame.h"

namespace {

constexpr char kUnsavedMark[] = " [*]";

}  // namespace

TfrmView::~TfrmView() {
    delete[] caption;
}

void TfrmView::UpdateCaption() {
    const char* name = FileName();
    size_t length = std::strlen(name);
    size_t markLength = Unsaved() ? sizeof kUnsavedMark - 1 : 0;
    // Without memory the tab keeps its old text.
    if (char* fresh = new (std::nothrow) char[length + markLength + 1]) {
        std::memcpy(fresh, name, length);
        std::memcpy(fresh + length, kUnsavedMark, markLength);
        fresh[length + markLength] = '\0';
        delete[] caption;
        caption = fresh;
    }
    if (hwnd) SetWindowTextA(hwnd, caption);
    frame->SetViewCaption(this);
}

bool TfrmView::Unsaved() const {
    return false;
}

void TfrmView::OnEditCommand(int) {}

bool TfrmView::CanEditCommand(int) const {
    return false;
}

void TfrmView::UpdateStatus() {
    frame->ShowStatus(nullptr);
}

int32_t TfrmView::Save() {
    return -1;
}

void TfrmView::FontsChanged() {
    InvalidateRect(hwnd, nullptr, TRUE);
}
