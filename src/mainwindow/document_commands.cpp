// New, Open, Save and Save as, and the document views they open.
#include <cstdio>
#include <new>

#include "document/binding.h"
#include "document/document.h"
#include "document/saving.h"
#include "mainwindow/file_dialogs.h"
#include "mainwindow/main_frame.h"
#include "mainwindow/questions.h"
#include "shell/ui_strings.h"
#include "templates/invalid_template_message.h"
#include "templates/template.h"
#include "views/document/document_view.h"
#include "views/template/template_editor.h"
#include "views/template/template_select_dialog.h"

namespace {

void showInvalidTemplate(HWND owner, const Template& templ) {
    char text[kInvalidTemplateMessageSize];
    formatInvalidTemplateMessage(templ, text);
    MessageBoxA(owner, text, UIStrings[usInvalidTemplateCaption], MB_OK);
}

// Only part of the file is shown: the user learns why rather than wondering where the rest went.
void showBindingStop(HWND owner, const Document* document) {
    char text[512];
    describeBindStop(document, text, sizeof text);
    if (text[0]) MessageBoxA(owner, text, UIStrings[usProductName], MB_OK | MB_ICONINFORMATION);
}

// A failed save must not pass for a successful one; the old file is still there.
void showSaveFailure(HWND owner, const char* path, int64_t result) {
    char text[600];
    std::snprintf(text, sizeof text, "The file could not be saved: %s\n\n%s Nothing was changed.",
                  path ? path : "", saveFailureReason(result));
    MessageBoxA(owner, text, UIStrings[usProductName], MB_OK | MB_ICONWARNING);
}

}  // namespace

TfrmView* TfrmMain::CreateDocumentView(const char* path, const char* name, Template* templ) {
    if (templ->resolve() < 0) {
        showInvalidTemplate(hwnd, *templ);
        return nullptr;
    }
    bool fromFile = path && *path;
    Document* document = createDocument(fromFile ? path : nullptr, name, templ);
    if (!document) return nullptr;
    if (fromFile) {
        bindFile(document);
    } else {
        bindNew(document);
    }
    auto* view = new (std::nothrow) TfrmDocument(this, hwnd, document);
    if (!view) destroyDocument(document);
    return view;
}

void TfrmMain::OpenDocumentView(const char* path, Template* templ) {
    if (!templ) templ = SelectTemplate(hwnd, path);
    if (!templ) return;
    auto* view = static_cast<TfrmDocument*>(CreateDocumentView(path, UIStrings[usUntitled], templ));
    if (!view) return;
    RememberRecentFile(path, templ);
    TabEntry* entry = AddView(vkDocument, view);
    if (!entry) return;
    ActivateView(entry);
    showBindingStop(hwnd, view->document);
}

void TfrmMain::NewDocument() {
    OpenDocumentView(nullptr);
}

void TfrmMain::OpenDocument() {
    char path[kPathBufferSize];
    if (askPathToOpen(hwnd, path)) OpenDocumentView(path);
}

void TfrmMain::SaveCurrent() {
    if (TabEntry* entry = CurrentEntry()) SaveView(entry);
}

void TfrmMain::SaveCurrentAs() {
    TabEntry* entry = CurrentEntry();
    if (entry && entry->kind == vkDocument) SaveDocumentAs(static_cast<TfrmDocument*>(entry->view));
}

bool TfrmMain::SaveView(TabEntry* entry) {
    if (entry->kind == vkTemplate) {
        int64_t saved = entry->view->Save();
        if (saved >= 0) {
            entry->view->UpdateCaption();
        } else {
            showSaveFailure(hwnd, static_cast<TfrmTemplate*>(entry->view)->templ->path, saved);
        }
        return saved >= 0;
    }
    auto* view = static_cast<TfrmDocument*>(entry->view);
    Document* document = view->document;
    if (document->needsNewName || !document->path || !*document->path) return SaveDocumentAs(view);
    bool saved = SaveDocumentTo(view, document->path);
    view->UpdateCaption();
    return saved;
}

// The document keeps its own path and name: a later Save writes where it was read from.
bool TfrmMain::SaveDocumentAs(TfrmDocument* view) {
    char path[kPathBufferSize];
    return askPathToSave(hwnd, path) && SaveDocumentTo(view, path);
}

// Over the file it was read from only when the user agrees, if another program changed it since.
bool TfrmMain::SaveDocumentTo(TfrmDocument* view, const char* path) {
    int64_t saved = saveDocument(view->document, path);
    if (saved == kResultChangedOnDisk) {
        if (askAboutFile(hwnd, usChangedOnDiskQuestion, view->FileName(), MB_YESNO) != IDYES) return false;
        saved = saveDocument(view->document, path, true);
    }
    if (saved < 0) showSaveFailure(hwnd, path, saved);
    return saved >= 0;
}
