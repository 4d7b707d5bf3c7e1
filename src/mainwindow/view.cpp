#include "mainwindow/view.h"

#include "mainwindow/main_frame.h"

TfrmView::~TfrmView() {
    delete[] caption;
}

void TfrmView::UpdateCaption() {
    frame->SetViewCaption(this);
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
