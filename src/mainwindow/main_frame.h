#pragma once
// TfrmMain: the one top-level window. A tab control fills its client area above the status bar,
// each tab holds a view, exactly the view of the selected tab is shown, and the frame runs the
// message loop.
#include <windows.h>
// after windows.h, whose types it uses
#include <shellapi.h>

#include <cstdint>

#include "mainwindow/view.h"
#include "views/help/help_window.h"

class Template;
class TfrmDocument;

constexpr int kStatusParts = 4;

enum ViewKind : int32_t { vkDocument = 0, vkTemplate = 1 };

// One per tab; entry i belongs to tab i.
struct TabEntry {
    int32_t kind;
    TfrmView* view;  // owned

    TabEntry(int32_t viewKind, TfrmView* ownedView) : kind(viewKind), view(ownedView) {}
    ~TabEntry() { delete view; }
    TabEntry(const TabEntry&) = delete;
    TabEntry& operator=(const TabEntry&) = delete;
};

class TfrmMain {
  public:
    static constexpr int32_t kEntryGrowth = 16;

    HWND hwnd = nullptr;
    HWND hwndTabs = nullptr;
    HWND hwndStatus = nullptr;
    HICON hIconLarge = nullptr;
    HICON hIconSmall = nullptr;
    HWND hwndLastFocus = nullptr;
    bool quitRequested = false;
    THelpWindow* help = nullptr;  // owned; made when first asked for
    TabEntry** entries = nullptr;
    int32_t count = 0;
    int32_t capacity = 0;

    // Creates and shows the main window. The window outlives the object when the loop ended on Exit.
    TfrmMain();
    ~TfrmMain();
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    // Until the quit message (its code) or the first message after Exit (0).
    int RunMessageLoop();
    // Sondrix.exe FILE [TEMPLATE] opens the file (open_files.cpp).
    void OpenCommandLine();

    // Appends a tab for the view and takes it over; null (view deleted) when that fails.
    TabEntry* AddView(int32_t kind, TfrmView* view);
    void ActivateView(TabEntry* entry);
    void LayoutView(TabEntry* entry);
    void SetViewCaption(TfrmView* view);
    TabEntry* CurrentEntry();
    // The texts of the status bar's parts; null clears them.
    void ShowStatus(const char* const* parts);
    // A template editor on a clone of the library template, on a new tab that is activated.
    void OpenTemplateEditor(Template* libraryTemplate);
    // A document view of the file (none: a new document) bound to a clone of the template; null
    // after the invalid-template message when the template does not resolve.
    TfrmView* CreateDocumentView(const char* path, const char* name, Template* templ);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void CreateMainWindow();
    void CreateTabControl();
    void CreateStatusBar();
    // Places the status bar at the bottom of the client area and takes its height off it.
    void LayoutStatusBar(RECT& client);
    void RegisterViewClasses();

    void OnClose();
    void OnDestroy();
    void OnSize();
    void OnPaint();
    void OnActivateApp(bool active);
    void OnNotify(const NMHDR& header);
    void OnCommand(int id);
    void OnInitMenuPopup(HMENU menu);
    void OnRestoreFocus(HWND target);
    void OnSetFocus();

    // View > Bytes beside or below the rows, for every document tab (byte_place_menu.cpp).
    void PlaceBytes(int command);
    void ShowBytePlace();

    // Tools > Preferences (preferences.cpp).
    void EditPreferences();

    // Help > Contents and Index.
    void ShowHelp(HelpDocument document);

    // File > the recent files (recent_files_menu.cpp); a file gone or a template gone says so.
    void ShowRecentFiles(HMENU fileMenu);
    void OpenRecentFile(int command);
    void RememberRecentFile(const char* path, const Template* templ);

    // The document and save commands (document_commands.cpp).
    void NewDocument();
    void OpenDocument();
    // With the template given, or the one chosen in the selection dialog.
    void OpenDocumentView(const char* path, Template* templ = nullptr);
    void OnDropFiles(HDROP drop);
    void SaveCurrent();
    void SaveCurrentAs();
    // False when the view was not saved: the user cancelled or refused, or the failure was shown.
    bool SaveView(TabEntry* entry);
    bool SaveDocumentAs(TfrmDocument* view);
    bool SaveDocumentTo(TfrmDocument* view, const char* path);

    // Close, Exit and the close box (closing.cpp). Changes are asked about view by view: Yes saves,
    // No gives them up, Cancel (or a save that did not happen) keeps everything open.
    void CloseCurrent();
    bool MayCloseView(TabEntry* entry);
    bool MayCloseAll();
    // Takes the tab away with its view and the view's windows, and shows the next tab, else the one
    // before.
    void RemoveView(TabEntry* entry);

    TabEntry* EntryOfTab(int index);
    // Where the views go: the tab control's client area below its tabs.
    RECT DisplayArea();
};
