// The entry point of Sondrix.exe: start-up, the message loop of the main frame, shutdown and the
// leak report. A file named on the command line opens at start; the show state is not used.
#include <windows.h>

#include <cstdio>
#include <new>
#include <string>

#include "mainwindow/main_frame.h"
#include "mainwindow/window_resources.h"
#include "platform/folders.h"
#include "shell/debug_log.h"
#include "shell/library_home.h"
#include "shell/memory_tracker.h"
#include "shell/settings_file.h"
#include "shell/startup.h"
#include "templates/template_library.h"

namespace {

// The library's paths and the log stay absolute, so that nothing that moves the working directory
// later (a file dialog, say) can send a save or a log line elsewhere.
bool startFolder(char (&folder)[MAX_PATH]) {
    DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) return false;
    if (folder[length - 1] == '\\') folder[length - 1] = 0;  // a drive's root
    return true;
}

// The library folder and the settings file beside it; the strings made on the way are gone before
// the leak report.
void placeLibrary(const char* folder, char (&library)[MAX_PATH + 8], char (&settings)[MAX_PATH + 16]) {
    const std::string home = libraryHome(folder, platform::programFolder());
    std::snprintf(library, sizeof library, "%s\\TMPL", home.c_str());
    std::snprintf(settings, sizeof settings, "%s\\Sondrix.ini", home.c_str());
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    moduleInstance = GetModuleHandleA(nullptr);
    char folder[MAX_PATH];
    char library[MAX_PATH + 8];
    char settings[MAX_PATH + 16];
    if (!startFolder(folder)) std::snprintf(folder, sizeof folder, ".");
    placeLibrary(folder, library, settings);
    settingsFilePath = settings;
    shell::placeDebugLogIn(folder);
    shell::truncateDebugLog();
    startEngine();
    templateLibrary.scan(library, true);
    curArrow = LoadCursorA(nullptr, IDC_ARROW);

    auto* frame = new (std::nothrow) TfrmMain;
    if (!frame) return -2;
    if (frame->hwnd) frame->OpenCommandLine();
    // Without a main window nothing could ever end the loop.
    int exitCode = frame->hwnd ? frame->RunMessageLoop() : -2;

    delete frame;
    stopEngine();
    shell::ReportMemoryLeaks();
    return exitCode;
}
