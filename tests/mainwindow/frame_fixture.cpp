#include "frame_fixture.h"

#include "mainwindow/window_resources.h"
#include "shell/drawing_resources.h"
#include "shell/strings.h"
#include "shell/ui_strings.h"

namespace guitest {
namespace {

constexpr const char* kViewClassName = "SondrixTestView";

LRESULT CALLBACK testViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* view = reinterpret_cast<TestView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (view && message == kProbeMessage) {
        view->probesSeen |= 1u << wParam;
        return 0;
    }
    if (message == WM_COMMAND) return SendMessageA(GetParent(window), message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerViewClass() {
    WNDCLASSA viewClass{};
    viewClass.lpfnWndProc = testViewProc;
    viewClass.hInstance = moduleInstance;
    viewClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    viewClass.lpszClassName = kViewClassName;
    RegisterClassA(&viewClass);
}

}  // namespace

TestView::TestView(TfrmMain* owner, const char* text) : TfrmView(owner) {
    caption = DupString(text);
    hwnd = CreateWindowExA(WS_EX_STATICEDGE, kViewClassName, text, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                           owner->hwnd, nullptr, moduleInstance, this);
}

void TestView::SetBounds(const RECT& bounds) {
    MoveWindow(hwnd, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, FALSE);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void TestView::Rename(const char* text) {
    delete[] caption;
    caption = DupString(text);
    SetWindowTextA(hwnd, text);
    UpdateCaption();
}

RECT placeOf(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

bool placedOn(HWND window, RECT expected) {
    RECT bounds = placeOf(window);
    return EqualRect(&bounds, &expected) != 0;
}

void MainFrameTest::SetUpTestSuite() {
    moduleInstance = GetModuleHandleA(nullptr);
    curArrow = LoadCursorA(nullptr, IDC_ARROW);
    createDrawingResources();
    registerViewClass();
}

void MainFrameTest::SetUp() {
    BuildUIStrings();
    frame = new TfrmMain;
    mainWindow = frame->hwnd;
    // Let the window be shown and activated before the test moves the focus around.
    ASSERT_TRUE(pumpUntil([this] { return GetForegroundWindow() == mainWindow; }));
    pumpPending();
}

void MainFrameTest::TearDown() {
    delete frame;
    if (IsWindow(mainWindow)) DestroyWindow(mainWindow);
    // The destroyed window's quit message must not end the next test's loop.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    FreeUIStrings();
}

TestView* MainFrameTest::openView(const char* caption) {
    auto* view = new TestView(frame, caption);
    TabEntry* entry = frame->AddView(vkDocument, view);
    frame->ActivateView(entry);
    return view;
}

int MainFrameTest::tabCount() const {
    return static_cast<int>(SendMessageA(frame->hwndTabs, TCM_GETITEMCOUNT, 0, 0));
}

std::string MainFrameTest::tabText(int index) const {
    char text[128] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(frame->hwndTabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return item.pszText;
}

TabEntry* MainFrameTest::entryOfTab(int index) const {
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    SendMessageA(frame->hwndTabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return reinterpret_cast<TabEntry*>(item.lParam);
}

RECT MainFrameTest::areaAboveStatusBar() const {
    RECT client;
    GetClientRect(mainWindow, &client);
    RECT status;
    GetWindowRect(frame->hwndStatus, &status);
    EXPECT_EQ(status.right - status.left, client.right);
    client.bottom -= status.bottom - status.top;
    return client;
}

RECT MainFrameTest::displayArea() const {
    RECT display;
    GetClientRect(frame->hwndTabs, &display);
    SendMessageA(frame->hwndTabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    return display;
}

}  // namespace guitest
