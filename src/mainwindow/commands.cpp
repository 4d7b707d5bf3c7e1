// The commands of the menu and the accelerators, wherever the focus was.
#include <initializer_list>
#include <new>

#include "mainwindow/about_dialog.h"
#include "mainwindow/home_page.h"
#include "mainwindow/main_frame.h"
#include "resource_ids.h"
#include "views/template/template_list_dialog.h"

void TfrmMain::OnInitMenuPopup(HMENU menu) {
    TabEntry* entry = CurrentEntry();
    for (int id : {cmdUndo, cmdRedo, cmdDeleteItem, cmdGoToOffset, cmdFind, cmdFindNext, cmdFindPrevious, cmdCopy,
                   cmdPaste}) {
        bool enabled = entry && entry->view->CanEditCommand(id);
        // Menus without the item leave it alone.
        EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
    ShowRecentFiles(menu);
}

void TfrmMain::OnCommand(int id) {
    switch (id) {
        case cmdNew:
            NewDocument();
            break;
        case cmdOpen:
            OpenDocument();
            break;
        case cmdSave:
            SaveCurrent();
            break;
        case cmdSaveAs:
            SaveCurrentAs();
            break;
        case cmdClose:
            CloseCurrent();
            break;
        case cmdExit:
            if (MayCloseAll()) quitRequested = true;
            break;
        case cmdListTemplates:
            ShowTemplateList(this);
            break;
        case cmdAbout:
            ShowAboutBox(hwnd);
            break;
        case cmdPreferences:
            EditPreferences();
            break;
        case cmdHelpContents:
            ShowHelp(HelpDocument::Guide);
            break;
        case cmdHelpIndex:
            ShowHelp(HelpDocument::Language);
            break;
        case cmdHomePage:
            openHomePage(hwnd);
            break;
        case cmdBytesBeside:
        case cmdBytesBelow:
            PlaceBytes(id);
            break;
        case cmdUndo:
        case cmdRedo:
        case cmdDeleteItem:
        case cmdGoToOffset:
        case cmdFind:
        case cmdFindNext:
        case cmdFindPrevious:
        case cmdCopy:
        case cmdPaste:
            if (TabEntry* entry = CurrentEntry()) entry->view->OnEditCommand(id);
            break;
        default:
            if (id >= cmdRecentFirst && id <= cmdRecentLast) OpenRecentFile(id);
            break;
    }
}

void TfrmMain::ShowHelp(HelpDocument document) {
    if (!help) help = new (std::nothrow) THelpWindow(hwnd);
    if (help) help->Show(document);
}
