#include "mainwindow/main_frame.h"
#include "mainwindow/window_resources.h"
#include "resource_ids.h"

int TfrmMain::RunMessageLoop() {
    quitRequested = false;
    HACCEL accelerators = LoadAcceleratorsA(moduleInstance, kAcceleratorsName);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Exit was chosen while the previous message was handled: this one is dropped.
        if (quitRequested) return 0;
        if (!TranslateAcceleratorA(message.hwnd, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
