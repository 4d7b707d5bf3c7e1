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

struct Drive {
    std::string title;
    std::vector<DialogStep> steps;
    size_t done = 0;
    ULONGLONG deadline = 0;
};
Drive* current = nullptr;

HWND findDialog(const std::string& title) {
    std::pair<const std::string*, HWND> search{&title, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* found = reinterpret_cast<std::pair<const std::string*, HWND>*>(parameter);
            if (!IsWindowVisible(window) || windowText(window) != *found->first) return TRUE;
            found->second = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current) return;
    HWND dialog = findDialog(current->title);
    if (dialog && current->done < current->steps.size()) {
        current->steps[current->done++](dialog);
    } else if (GetTickCount64() > current->deadline && dialog) {
        EndDialog(dialog, 0);  // a test that lost its way must not hang the run
    }
}

TCITEMA tabItem(HWND tabs, int index, char* text, int size) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text;
    item.cchTextMax = size;
    SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return item;
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

size_t driveModal(const std::string& title, const std::function<void()>& showModal,
                  std::vector<DialogStep> steps) {
    Drive drive{title, std::move(steps), 0, GetTickCount64() + 10000};
    current = &drive;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, onTick);
    showModal();
    KillTimer(nullptr, timer);
    current = nullptr;
    return drive.done;
}

std::string windowText(HWND window) {
    char text[512];
    GetWindowTextA(window, text, sizeof text);
    return text;
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

void clickButton(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void pressKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void doubleClickAt(HWND window, POINT point) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        PostMessageA(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, where);
}

void ShiftHeld::setShift(BYTE state) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = state;
    SetKeyboardState(keys);
}

void MainFrameTest::SetUpTestSuite() {
    moduleInstance = GetModuleHandleA(nullptr);
    curArrow = LoadCursorA(nullptr, IDC_ARROW);
    createDrawingResources();
    WNDCLASSA viewClass{};
    viewClass.lpfnWndProc = testViewProc;
    viewClass.hInstance = moduleInstance;
    viewClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    viewClass.lpszClassName = kViewClassName;
    RegisterClassA(&viewClass);
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
    frame->ActivateView(frame->AddView(vkDocument, view));
    return view;
}

std::string MainFrameTest::tabText(int index) const {
    char text[128] = "";
    return tabItem(frame->hwndTabs, index, text, sizeof text).pszText;
}

TabEntry* MainFrameTest::entryOfTab(int index) const {
    char text[128] = "";
    return reinterpret_cast<TabEntry*>(tabItem(frame->hwndTabs, index, text, sizeof text).lParam);
}

RECT MainFrameTest::areaAboveStatusBar() const {
    RECT client, status;
    GetClientRect(mainWindow, &client);
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
