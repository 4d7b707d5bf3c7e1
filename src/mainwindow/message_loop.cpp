#include "mainwindow/main_frame.h"
#include "mainwindow/window_resources.h"
#include "resource_ids.h"

int TfrmMain::RunMessageLoop() {
    quitRequested = false;
    HACCEL accelerators = LoadAcceleratorsA(moduleInstance, kAcceleratorsName);
    MSG message{};
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        // Exit was chosen while the previous message was handled: this one is dropped.
        if (quitRequested) return 0;
        if (!TranslateAcceleratorA(message.hwnd, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    // A loop that cannot get messages ends with -1; WM_QUIT carries its own code.
    return got < 0 ? -1 : static_cast<int>(message.wParam);
}
