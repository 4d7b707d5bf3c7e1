// Shows the template selection, then the template list, then the main window with the editor the
// list opened, with the templates of .\TMPL, one after the other for tools/template-screenshots.sh,
// which photographs and answers each of them.
#include <windows.h>

#include "mainwindow/main_frame.h"
#include "mainwindow/window_resources.h"
#include "shell/memory_tracker.h"
#include "shell/startup.h"
#include "templates/template_library.h"
#include "views/template/template_list_dialog.h"
#include "views/template/template_select_dialog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    moduleInstance = GetModuleHandleA(nullptr);
    startEngine();
    scanTemplateLibrary();
    curArrow = LoadCursorA(nullptr, IDC_ARROW);

    auto* frame = new TfrmMain;
    MoveWindow(frame->hwnd, 40, 40, 640, 400, TRUE);
    SelectTemplate(frame->hwnd);
    ShowTemplateList(frame);
    int exitCode = frame->RunMessageLoop();

    delete frame;
    stopEngine();
    shell::ReportMemoryLeaks();
    return exitCode;
}
