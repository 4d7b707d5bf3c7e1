// The questions before views go: Close for the current tab, Exit and the close box for all of them.
#include "mainwindow/main_frame.h"
#include "mainwindow/questions.h"

bool TfrmMain::MayCloseView(TabEntry* entry) {
    if (!entry->view->Unsaved()) return true;
    // The user sees what the question is about.
    ActivateView(entry);
    switch (askAboutFile(hwnd, usSaveChangesQuestion, entry->view->FileName(), MB_YESNOCANCEL)) {
        case IDYES:
            return SaveView(entry);
        case IDNO:
            return true;
        default:
            return false;
    }
}

bool TfrmMain::MayCloseAll() {
    for (int32_t i = 0; i < count; ++i) {
        if (!MayCloseView(entries[i])) return false;
    }
    return true;
}

void TfrmMain::CloseCurrent() {
    TabEntry* entry = CurrentEntry();
    if (entry && MayCloseView(entry)) RemoveView(entry);
}

void TfrmMain::OnClose() {
    if (MayCloseAll()) DestroyWindow(hwnd);
}
