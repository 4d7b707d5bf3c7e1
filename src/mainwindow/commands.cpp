// The commands of the menu and the accelerators, wherever the focus was.
#include "mainwindow/about_dialog.h"
#include "mainwindow/home_page.h"
#include "mainwindow/main_frame.h"
#include "resource_ids.h"

void TfrmMain::OnCommand(int id) {
    switch (id) {
        case cmdExit:
            quitRequested = true;
            break;
        case cmdAbout:
            ShowAboutBox(hwnd);
            break;
        case cmdHomePage:
            openHomePage(hwnd);
            break;
        default:
            // The other commands arrive with their dialogs and views.
            break;
    }
}
