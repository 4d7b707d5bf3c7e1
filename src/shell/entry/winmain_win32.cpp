// The entry point of Sondrix.exe: start-up, the message loop of the main frame, shutdown and the
// leak report. The command line and the show state are not used.
#include <windows.h>

#include <new>

#include "mainwindow/main_frame.h"
#include "mainwindow/window_resources.h"
#include "shell/debug_log.h"
#include "shell/memory_tracker.h"
#include "shell/startup.h"
#include "templates/template_library.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    moduleInstance = GetModuleHandleA(nullptr);
    shell::truncateDebugLog();
    startEngine();
    scanTemplateLibrary();
    curArrow = LoadCursorA(nullptr, IDC_ARROW);

    auto* frame = new (std::nothrow) TfrmMain;
    if (!frame) return -2;
    // Without a main window nothing could ever end the loop.
    int exitCode = frame->hwnd ? frame->RunMessageLoop() : -2;

    delete frame;
    stopEngine();
    shell::ReportMemoryLeaks();
    return exitCode;
}
