#include "mainwindow/view.h"

#include "mainwindow/main_frame.h"

TfrmView::~TfrmView() {
    delete[] caption;
}

void TfrmView::UpdateCaption() {
    frame->SetViewCaption(this);
}

int32_t TfrmView::Save() {
    return -1;
}
