// The main frame: its window, tabs and layout, the focus across activations, how its message loop
// ends, closing a tab and the questions about unsaved changes on the way out, and the About box.
#include <windows.h>
// after windows.h, whose types it uses (WIN32_LEAN_AND_MEAN leaves it out)
#include <winver.h>

#include <cstdio>

#include "frame_fixture.h"
#include "mainwindow/about_dialog.h"
#include "mainwindow/about_dialog_ids.h"
#include "mainwindow/home_page.h"
#include "resource_ids.h"
#include "support/debug_capture.h"

namespace guitest {
namespace {

TEST_F(MainFrameTest, ShowsTitleIconsAndTabsAboveTheStatusBarEachNewViewOnTheNextOne) {
    EXPECT_EQ(windowText(mainWindow), "Sondrix");
    EXPECT_NE(frame->hIconLarge, nullptr);
    EXPECT_EQ(GetClassLongPtrA(mainWindow, GCLP_HICONSM), reinterpret_cast<ULONG_PTR>(frame->hIconSmall));
    EXPECT_EQ(mainWindowHandle, mainWindow);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(frame->hwndTabs, WM_GETFONT, 0, 0)), fntNormal);

    EXPECT_EQ(tabsShown(), "");
    TestView* first = openView("first");
    EXPECT_EQ(tabsShown(), "first+^<");
    TestView* second = openView("second");
    EXPECT_EQ(tabsShown(), "first|second+^<");
    TestView* third = openView("third");
    EXPECT_EQ(tabsShown(), "first|second|third+^<");
    for (const SIZE& size : {SIZE{640, 480}, SIZE{300, 200}, SIZE{1000, 760}}) {  // every view, hidden or not
        SetWindowPos(mainWindow, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        const RECT status = placeOf(frame->hwndStatus);  // the tabs take what the status bar leaves
        EXPECT_TRUE(placedOn(frame->hwndTabs, {0, 0, status.right, status.top})) << size.cx << "x" << size.cy;
        for (TestView* view : {first, second, third})
            EXPECT_TRUE(placedOn(view->hwnd, displayArea())) << view->caption;
    }

    // The system takes the focus from a hidden view (to the main window, or to the tab control that
    // was clicked); the frame must not give it to the view it shows.
    auto notify = [this](HWND sender, UINT code) {
        NMHDR header{sender, 0, code};
        SendMessageA(mainWindow, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    };
    notify(first->hwnd, TCN_SELCHANGING);
    EXPECT_EQ(tabsShown(), "first|second|third+^<");  // not from the tab control
    notify(frame->hwndTabs, TCN_SELCHANGING);
    EXPECT_EQ(tabsShown(), "first|second|third<");
    SendMessageA(frame->hwndTabs, TCM_SETCURSEL, 0, 0);
    notify(frame->hwndTabs, TCN_SELCHANGE);
    EXPECT_EQ(tabsShown(), "first+<|second|third");

    // A new caption renames only its own tab and keeps the view on the display area.
    second->Rename("renamed [*]");
    EXPECT_TRUE(placedOn(second->hwnd, displayArea()));
    EXPECT_EQ(tabsShown(), "first+<|renamed [*]|third");
}

// The focus is saved when another application is activated and restored on the way back.
TEST_F(MainFrameTest, ReactivationGivesTheFocusBackThroughAPostedMessage) {
    TestView* first = openView("first");
    TestView* second = openView("second");
    pumpPending();
    testsupport::DebugCapture debug;
    SendMessageA(mainWindow, WM_ACTIVATEAPP, TRUE, 0);  // before any deactivation: the focus stays
    pumpPending();
    EXPECT_EQ(GetFocus(), second->hwnd);
    EXPECT_EQ(debug.text(), "restoring focus to 0\n");

    SendMessageA(mainWindow, WM_ACTIVATEAPP, FALSE, 0);
    SetFocus(first->hwnd);
    SendMessageA(mainWindow, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(GetFocus(), first->hwnd) << "restored after the activation is over";
    EXPECT_TRUE(pumpUntil([&] { return GetFocus() == second->hwnd; }));
    char expected[128];
    const auto id = static_cast<unsigned>(reinterpret_cast<uintptr_t>(second->hwnd));
    std::snprintf(expected, sizeof expected,
                  "restoring focus to 0\nlast focused set to %x\nrestoring focus to %x\n", id, id);
    EXPECT_EQ(debug.text(), expected);
}

// Exit ends the message loop on the next message, which it drops undispatched; the quit message ends
// it with its code; other commands do not end it.
TEST_F(MainFrameTest, ExitAndTheQuitMessageEndTheMessageLoop) {
    TestView* view = openView("view");
    pumpPending();
    PostMessageA(view->hwnd, kProbeMessage, 0, 0);
    PostMessageA(mainWindow, WM_COMMAND, cmdExit, 0);
    PostMessageA(view->hwnd, kProbeMessage, 1, 0);
    EXPECT_EQ(frame->RunMessageLoop(), 0);
    EXPECT_EQ(view->probesSeen, 1u);
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, view->hwnd, kProbeMessage, kProbeMessage, PM_NOREMOVE));
    for (int code : {0, 3}) {
        view->probesSeen = 0;
        for (int command : {cmdUndo, cmdRedo})
            PostMessageA(view->hwnd, WM_COMMAND, command, 0);
        PostMessageA(view->hwnd, kProbeMessage, 0, 0);
        PostQuitMessage(code);
        EXPECT_EQ(frame->RunMessageLoop(), code);
        EXPECT_EQ(view->probesSeen, 1u);
    }
}

// Close takes the current tab away with its windows and shows the next one, else the one before,
// asking first about unsaved changes; Yes on a new document asks a file name, and cancelling that
// keeps the tab.
TEST_F(ViewTest, CloseAsksAboutChangesAndTakesTheTabAwayWithItsWindows) {
    const Bytes bytes{0, 42};
    open("DWRD:Width", bytes, "first.bin");
    open("DWRD:Width", bytes, "second.bin");
    answerValue([this] { press(VK_RETURN); }, "5", true);
    HWND second = view->hwnd, secondBytes = view->Bytes().hwnd;
    open("DWRD:Width", bytes, "third.bin");
    frame->ActivateView(frame->entries[1]);

    EXPECT_EQ(commandAnswered(cmdClose, {IDCANCEL}), "Save changes to second.bin?|");
    EXPECT_EQ(tabsShown(), "first.bin|second.bin [*]+^<|third.bin");
    EXPECT_EQ(commandAnswered(cmdClose, {IDNO}), "Save changes to second.bin?|");
    EXPECT_EQ(tabsShown(), "first.bin|third.bin+^<");
    EXPECT_FALSE(IsWindow(second) || IsWindow(secondBytes));
    EXPECT_EQ(dir.read("second.bin"), bytes);
    EXPECT_EQ(commandAnswered(cmdClose, {}), "");
    EXPECT_EQ(tabsShown(), "first.bin+^<");

    open("DWRD:Width", bytes, "fourth.bin");
    answerValue([this] { press(VK_RETURN); }, "7", true);
    EXPECT_EQ(commandAnswered(cmdClose, {IDYES}), "Save changes to fourth.bin?|");
    EXPECT_EQ(dir.read("fourth.bin"), (Bytes{0, 7}));
    EXPECT_EQ(tabsShown(), "first.bin+^<");

    Template templ;
    fillTemplate(templ, "DWRD");
    templ.link();
    frame->ActivateView(frame->AddView(vkDocument, frame->CreateDocumentView(nullptr, "Untitled", &templ)));
    window = frame->CurrentEntry()->view->hwnd;
    answerValue([this] { press(VK_RETURN); }, "9", true);
    const size_t steps =
        driveModals([this] { SendMessageA(mainWindow, WM_COMMAND, cmdClose, 0); },
                    {{"Sondrix", clicking(IDYES)},
                     {"Save As", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }}});
    EXPECT_EQ(steps, 2u);
    EXPECT_EQ(tabsShown(), "first.bin|Untitled [*]+^<");
    frame->ActivateView(frame->entries[0]);
    EXPECT_EQ(commandAnswered(cmdClose, {}), "");
    EXPECT_EQ(commandAnswered(cmdClose, {IDNO}), "Save changes to Untitled?|");
    EXPECT_EQ(tabsShown(), "");
    EXPECT_EQ(GetFocus(), mainWindow) << "where the accelerators get the keys";
}

// Exit and the close box ask about each changed view in tab order, documents and template editors
// alike, and nothing when nothing changed; Cancel anywhere keeps everything open.
TEST_F(ViewTest, ExitAndTheCloseBoxAskAboutEveryChangedViewAndCancelKeepsAllOpen) {
    const Bytes bytes{0, 42};
    open("DWRD:Width", bytes, "changed.bin");
    open("DWRD:Width", bytes, "kept.bin");
    openEditor(addLibraryTemplate("rows.tmpl", "DWRD UBYT:x"));
    EXPECT_EQ(commandAnswered(cmdExit, {}), "");
    EXPECT_TRUE(frame->quitRequested);
    frame->quitRequested = false;

    press({VK_HOME, VK_DELETE});
    frame->ActivateView(frame->entries[0]);
    window = frame->entries[0]->view->hwnd;
    answerValue([this] { press(VK_RETURN); }, "5", true);
    const std::string both = "Save changes to changed.bin?|Save changes to rows.tmpl?|";
    EXPECT_EQ(answered([this] { SendMessageA(mainWindow, WM_CLOSE, 0, 0); }, {IDNO, IDCANCEL}), both);
    EXPECT_TRUE(IsWindowVisible(mainWindow));
    EXPECT_EQ(tabsShown(), "changed.bin [*]|kept.bin|rows.tmpl [*]+^<");
    EXPECT_EQ(commandAnswered(cmdExit, {IDCANCEL}), "Save changes to changed.bin?|");
    EXPECT_FALSE(frame->quitRequested);
    EXPECT_EQ(commandAnswered(cmdExit, {IDNO, IDYES}), both);
    EXPECT_TRUE(frame->quitRequested);
    EXPECT_EQ(tabsShown(), "changed.bin [*]|kept.bin|rows.tmpl+^<");
    EXPECT_EQ(dir.read("changed.bin"), bytes);
    EXPECT_EQ(dir.read("rows.tmpl"), (Bytes{1, 'x', 'U', 'B', 'Y', 'T'}));
}

// The file version of the version record of the module the test runs in, as "1.2.3.4".
std::string recordedVersion() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string record(GetFileVersionInfoSizeA(path, nullptr), '\0');
    VS_FIXEDFILEINFO* info = nullptr;
    UINT size = 0;
    if (record.empty() || !GetFileVersionInfoA(path, 0, static_cast<DWORD>(record.size()), record.data()) ||
        !VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&info), &size))
        return "(no version record)";
    return std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(info->dwFileVersionLS)) + "." +
           std::to_string(LOWORD(info->dwFileVersionLS));
}

// Escape leaves the About box open; Enter, OK and the close box end it. It shows the version of the
// version record, all its text whole; its version line's size less its text's: 0,0.
TEST_F(MainFrameTest, AboutBoxEndsByAnythingButEscapeAndMeasuresItsVersionLineToItsText) {
    std::string shown;
    const DialogStep enders[] = {
        [](HWND) { pressKey(GetFocus(), VK_RETURN); },
        [&](HWND dialog) {
            HWND control = GetDlgItem(dialog, IDC_ABOUT_VERSION);
            const std::string version = windowText(control);
            HDC dc = GetDC(control);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
            SIZE text{};
            GetTextExtentPoint32A(dc, version.c_str(), static_cast<int>(version.size()), &text);
            SelectObject(dc, old);
            ReleaseDC(control, dc);
            const RECT box = placeOf(control);
            shown = version + "|" + windowText(GetDlgItem(dialog, IDC_ABOUT_HOME_PAGE)) + "|" +
                    std::to_string(box.right - box.left - text.cx) + "," +
                    std::to_string(box.bottom - box.top - text.cy) + "|" + hiddenText(dialog);
            clickButton(dialog, IDOK);
        },
        [](HWND dialog) { SendMessageA(dialog, WM_CLOSE, 0, 0); },
    };
    for (const DialogStep& end : enders) {
        // The third step never runs: the box has ended.
        EXPECT_EQ(driveModal("About Sondrix:", [] { ShowAboutBox(nullptr); },
                             {[](HWND) { pressKey(GetFocus(), VK_ESCAPE); }, end, [](HWND) {}}),
                  2u);
    }
    EXPECT_EQ(shown, "Version: " + recordedVersion() + "|Go to homepage: " + kHomePageUrl + "|0,0|");
}

}  // namespace
}  // namespace guitest
