// Construction and destruction of the main frame: the window class, the main window and its tab
// control, and the window classes of the views.
#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include "fieldtypes/host_interface.h"
#include "mainwindow/main_frame.h"
#include "mainwindow/window_object.h"
#include "mainwindow/window_resources.h"
#include "resource_ids.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"
#include "views/document/document_view.h"
#include "views/document/view_fonts.h"
#include "views/template/template_editor.h"

namespace {

constexpr const char* kFrameClassName = "TfrmMain";

HICON loadMainIcon(int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageA(moduleInstance, kMainIconName, IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                         LR_SHARED));
}

}  // namespace

TfrmMain::TfrmMain() {
    applyFontSizes();
    CreateMainWindow();
    CreateTabControl();
    CreateStatusBar();
    ShowBytePlace();
    ShowWindow(hwnd, SW_SHOWDEFAULT);
    RegisterViewClasses();
}

TfrmMain::~TfrmMain() {
    for (int32_t i = 0; i < count; ++i) delete entries[i];
    delete[] entries;
    entries = nullptr;
    count = 0;
    capacity = 0;
    delete help;
    detachWindowObject(hwnd, this);
    if (mainWindowHandle == hwnd) mainWindowHandle = nullptr;
}

void TfrmMain::CreateMainWindow() {
    hIconLarge = loadMainIcon(SM_CXICON, SM_CYICON);
    hIconSmall = loadMainIcon(SM_CXSMICON, SM_CYSMICON);

    WNDCLASSEXA frameClass{};
    frameClass.cbSize = sizeof(frameClass);
    frameClass.style = CS_HREDRAW | CS_VREDRAW;
    frameClass.lpfnWndProc = WindowProc;
    frameClass.hInstance = moduleInstance;
    frameClass.hIcon = hIconLarge;
    frameClass.hCursor = curArrow;
    frameClass.lpszMenuName = kMainMenuName;
    frameClass.lpszClassName = kFrameClassName;
    frameClass.hIconSm = hIconSmall;
    RegisterClassExA(&frameClass);  // fails harmlessly when an earlier frame registered it

    CreateWindowExA(WS_EX_ACCEPTFILES, kFrameClassName, UIStrings[usProductName], WS_OVERLAPPEDWINDOW,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                    moduleInstance, this);
    mainWindowHandle = hwnd;
}

void TfrmMain::CreateTabControl() {
    // Loads comctl32 and makes sure its tab class exists.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    hwndTabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 0, 500, 500, hwnd, nullptr,
                               moduleInstance, nullptr);
    SendMessageA(hwndTabs, WM_SETFONT, reinterpret_cast<WPARAM>(fntNormal), FALSE);
}

// The document and template views register their window classes here when they arrive.
void TfrmMain::RegisterViewClasses() {
    registerDocumentViewClass();
    TfrmTemplate::RegisterWindowClass();
}
