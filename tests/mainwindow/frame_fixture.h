#pragma once
// A real main frame on the display for each test, a minimal view for its tabs, modal dialogs driven
// from inside their own loop; document views and template editors on it, with a library of their own.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/document_harness.h"
#include "fieldtypes/host_interface.h"
#include "mainwindow/main_frame.h"
#include "mainwindow/window_resources.h"
#include "shell/drawing_resources.h"
#include "shell/startup.h"
#include "shell/strings.h"
#include "shell/ui_strings.h"
#include "support/pixel_bitmap.h"
#include "templates/template_library.h"
#include "views/document/byte_pane_place.h"
#include "views/document/document_view.h"
#include "views/document/value_query_ids.h"
#include "views/template/template_editor.h"
#include "views/template/template_field_dialog_ids.h"

namespace guitest {

// Posted to a view's window; the view records which ones it was handed.
constexpr UINT kProbeMessage = WM_APP + 1;

// A plain child window of the main window that passes commands on to it, as the real views do.
class TestView : public TfrmView {
  public:
    static constexpr const char* kClassName = "SondrixTestView";
    TestView(TfrmMain* owner, const char* text) : TfrmView(owner), name(text) {
        hwnd = CreateWindowExA(WS_EX_STATICEDGE, kClassName, text, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                               owner->hwnd, nullptr, moduleInstance, nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TestView() override { SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0); }
    void SetBounds(const RECT& bounds) override {
        MoveWindow(hwnd, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                   TRUE);
    }
    const char* FileName() const override { return name.c_str(); }
    void Rename(const char* text) {
        name = text;
        UpdateCaption();
    }
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* view = reinterpret_cast<TestView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (view && message == kProbeMessage) {
            view->probesSeen |= 1u << wParam;
            return 0;
        }
        if (message == WM_COMMAND) return SendMessageA(GetParent(window), message, wParam, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    }

    std::string name;
    unsigned probesSeen = 0;  // bit n set for a probe with wParam n
};

// Dispatches the queued messages until the condition holds; false after a few seconds without.
template <typename Condition>
bool pumpUntil(Condition condition) {
    const ULONGLONG deadline = GetTickCount64() + 5000;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (condition()) return true;
        if (GetTickCount64() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

inline void pumpPending() {
    pumpUntil([] { return true; });
}

inline std::string windowText(HWND window) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
    return text;
}

// What of the dialog's static text would not show: each text that needs more room than its control
// has, wrapped as the control draws it, or whose control leaves the dialog or overlaps another.
inline std::string hiddenText(HWND dialog) {
    std::string hidden;
    RECT inside, place, other, common;
    GetClientRect(dialog, &inside);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char kind[16] = "";
        GetClassNameA(child, kind, sizeof kind);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(kind, "Static") != 0 || (style & SS_TYPEMASK) != SS_LEFT) continue;
        const std::string text = windowText(child);
        GetWindowRect(child, &place);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&place), 2);
        if (!IntersectRect(&common, &place, &inside) || !EqualRect(&common, &place))
            hidden += "[outside] " + text + "\n";
        for (HWND next = GetWindow(dialog, GW_CHILD); next; next = GetWindow(next, GW_HWNDNEXT)) {
            GetWindowRect(next, &other);
            MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&other), 2);
            if (next != child && IntersectRect(&common, &place, &other))
                hidden += "[under] " + text + " / " + windowText(next) + "\n";
        }
        RECT area, needed;
        GetClientRect(child, &area);
        needed = {0, 0, area.right, 0};
        HDC dc = GetDC(child);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | (style & SS_NOPREFIX ? DT_NOPREFIX : 0) |
                      (style & SS_EDITCONTROL ? DT_EDITCONTROL : 0));
        SelectObject(dc, old);
        ReleaseDC(child, dc);
        if (needed.right > area.right || needed.bottom > area.bottom) hidden += "[clipped] " + text + "\n";
    }
    return hidden;
}

// Its client area as the screen shows it now, with whatever was left unpainted.
inline testsupport::Snapshot onScreen(HWND window) {
    return testsupport::Snapshot(window, [window](HDC dc) {
        RECT area;
        GetClientRect(window, &area);
        HDC screen = GetDC(window);
        BitBlt(dc, 0, 0, area.right, area.bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(window, screen);
    });
}

using DialogStep = std::function<void(HWND dialog)>;

// A step for the dialog of that title (a message box titled "Sondrix", not the main window).
struct TitledStep {
    std::string title;
    DialogStep step;
};

// Runs showModal (which returns when the dialog ends) while a timer hands each step's dialog to it, one
// step per tick. After a few seconds any dialog still open is ended, so that a test that lost its way
// cannot hang the run. How many steps ran: fewer means a dialog closed early or never came.
inline size_t driveModals(const std::function<void()>& showModal, std::vector<TitledStep> steps) {
    struct Drive {
        std::vector<TitledStep> steps;
        size_t done;
        ULONGLONG deadline;
    } drive{std::move(steps), 0, GetTickCount64() + 10000};
    static Drive* current;
    current = &drive;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR, DWORD) {
        const bool late = GetTickCount64() > current->deadline;
        if (!late && current->done == current->steps.size()) return;
        const char* title = late ? nullptr : current->steps[current->done].title.c_str();
        HWND dialog = nullptr;
        do dialog = FindWindowExA(nullptr, dialog, "#32770", title);
        while (dialog && !IsWindowVisible(dialog));
        if (!dialog) return;
        if (late) {
            EndDialog(dialog, 0);
        } else {
            current->steps[current->done++].step(dialog);
        }
    });
    showModal();
    KillTimer(nullptr, timer);
    return drive.done;
}

// Every step for the dialog titled `title`.
inline size_t driveModal(const std::string& title, const std::function<void()>& showModal,
                         const std::vector<DialogStep>& steps) {
    std::vector<TitledStep> titled;
    for (const DialogStep& step : steps) titled.push_back({title, step});
    return driveModals(showModal, std::move(titled));
}

// In the client coordinates of its parent.
inline RECT placeOf(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

inline bool placedOn(HWND window, RECT expected) {
    RECT bounds = placeOf(window);
    return EqualRect(&bounds, &expected) != 0;
}

// Input as the user gives it, posted to the window that has it.
inline void clickButton(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}
inline DialogStep clicking(int button) {
    return [button](HWND dialog) { clickButton(dialog, button); };
}
inline void pressKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}
inline void doubleClickAt(HWND window, POINT point) {
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        PostMessageA(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

class MainFrameTest : public testing::Test {
  protected:
    static constexpr int kFrameWidth = 400;
    static constexpr int kFrameHeight = 300;

    static void SetUpTestSuite() {
        moduleInstance = GetModuleHandleA(nullptr);
        curArrow = LoadCursorA(nullptr, IDC_ARROW);
        WNDCLASSA viewClass{};
        viewClass.lpfnWndProc = TestView::proc;
        viewClass.hInstance = moduleInstance;
        viewClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        viewClass.lpszClassName = TestView::kClassName;
        RegisterClassA(&viewClass);
    }
    // The engine brought up and torn down around a frame of a fixed size, in the program's order.
    void SetUp() override {
        startEngine();
        h = tmBold.height;
        frame = new TfrmMain;
        mainWindow = frame->hwnd;
        MoveWindow(mainWindow, 0, 0, kFrameWidth, kFrameHeight, TRUE);
        chooseBytePlace(BytePlace::Beside);  // whatever an earlier test chose
        // Let the window be shown and activated before the test moves the focus around.
        ASSERT_TRUE(pumpUntil([this] { return GetForegroundWindow() == mainWindow; }));
        pumpPending();
    }
    void TearDown() override {
        // Every view's window outlives its object; late messages, the destruction's too, must find none.
        std::vector<HWND> windows{mainWindow};
        for (HWND child = GetWindow(mainWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            windows.push_back(child);
        delete frame;
        EXPECT_EQ(mainWindowHandle, nullptr);
        for (HWND window : windows)
            EXPECT_TRUE(IsWindow(window) && !GetWindowLongPtrA(window, GWLP_USERDATA)) << windowText(window);
        DestroyWindow(mainWindow);
        pumpPending();  // the destroyed window's quit message must not end the next test's loop
        stopEngine();   // after the views, which destroy their documents with the field types' help
    }

    // Activated as every command that opens a view does.
    TestView* openView(const char* caption) {
        auto* view = new TestView(frame, caption);
        frame->ActivateView(frame->AddView(vkDocument, view));
        return view;
    }
    int tabCount() const { return static_cast<int>(SendMessageA(frame->hwndTabs, TCM_GETITEMCOUNT, 0, 0)); }
    // Its text, and whether it stands for the frame's entry of the same index.
    std::string tabText(int index) const {
        char text[128] = "";
        TCITEMA item{TCIF_TEXT | TCIF_PARAM, 0, 0, text, sizeof text, 0, 0};
        SendMessageA(frame->hwndTabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
        const bool ofEntry =
            index < frame->count && item.lParam == reinterpret_cast<LPARAM>(frame->entries[index]);
        return text + std::string(ofEntry ? "" : " (?)");
    }
    // Each entry's tab; "+" after the view shown, "^" after the one focused, "<" after the current.
    std::string tabsShown() const {
        std::string text = tabCount() == frame->count ? "" : "(tabs: " + std::to_string(tabCount()) + ") ";
        for (int i = 0; i < frame->count; ++i) {
            HWND view = frame->entries[i]->view->hwnd;
            text += (i ? "|" : "") + tabText(i) + (IsWindowVisible(view) ? "+" : "") +
                    (GetFocus() == view ? "^" : "") + (frame->CurrentEntry() == frame->entries[i] ? "<" : "");
        }
        return text;
    }
    // The action, its message boxes answered by the buttons in turn: their texts, "|" after each.
    std::string answered(const std::function<void()>& action, const std::vector<int>& buttons) {
        std::string asked;
        std::vector<DialogStep> steps;
        for (int button : buttons)
            steps.push_back([button, &asked](HWND box) {
                asked += windowText(GetDlgItem(box, 0xFFFF)) + "|";  // the system's id for the text
                clickButton(box, button);
            });
        driveModal("Sondrix", action, steps);
        return asked;
    }
    std::string commandAnswered(int command, const std::vector<int>& buttons) {
        return answered([&] { SendMessageA(mainWindow, WM_COMMAND, command, 0); }, buttons);
    }
    RECT displayArea() const {
        RECT display;
        GetClientRect(frame->hwndTabs, &display);
        SendMessageA(frame->hwndTabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        return display;
    }
    // Away from the views.
    void focusTabs() const { SetFocus(frame->hwndTabs); }

    TfrmMain* frame = nullptr;
    HWND mainWindow = nullptr;
    int h = 0;  // a document row's height
};

using testsupport::colourOf;
using testsupport::Snapshot;

class ViewTest : public MainFrameTest {
  protected:
    // The rows bound to the bytes, in a file of that name, on a new tab as the open commands put it;
    // lists of more items than foldAbove fold.
    void open(const std::string& rows, const Bytes& bytes, const char* name = "data.bin",
              int64_t foldAbove = kFoldItemsAbove) {
        dir.write(name, bytes);
        Template templ;
        fillTemplate(templ, rows);
        templ.link();
        Document* document = createDocument(dir.path(name).c_str(), "Untitled", &templ);
        document->foldAbove = foldAbove;
        bindFile(document);
        view = new TfrmDocument(frame, mainWindow, document);
        window = view->hwnd;
        frame->ActivateView(frame->AddView(vkDocument, view));
        pumpPending();
    }

    FieldInstance* row(int index) const { return nth(view->document, index); }
    int currentRow() const {
        int index = 0;
        for (FieldInstance* at = view->document->first; at; at = at->next, ++index)
            if (at == view->current) return index;
        return view->current ? -2 : -1;  // -2: not in the document
    }
    // Indexes of the selected rows, "0 3 4", with "*" after the current row (the view's, and flagged
    // so), "?" after a row only one of the two makes current, "-" after a current row not selected.
    std::string selection() const {
        std::string text;
        int index = 0;
        for (FieldInstance* at = view->document->first; at; at = at->next, ++index) {
            const bool selected = at->flags & kInstanceSelected, flagged = at->flags & kInstanceCurrent;
            const bool current = at == view->current;
            if (!selected && !flagged && !current) continue;
            const char* mark = flagged != current ? "?" : current ? "*" : "";
            text += (text.empty() ? "" : " ") + std::to_string(index) + (selected ? "" : "-") + mark;
        }
        return text;
    }
    // Rows with their depth in dots, code and value, as document_harness describes them.
    std::string rows() const { return describe(view->document); }
    // The rows, the selection, the tab's text, and "!" when the height or scroll range misfits the rows.
    std::string state() const {
        const bool fits = view->ContentHeight() == view->document->instanceCount * h &&
                          scrollInfo(SB_VERT).nMax + 1 == view->ContentHeight();
        return rows() + " (" + selection() + ") " + tabText(frame->count - 1) + (fits ? "" : " !");
    }

    // Runs the action, its value dialog answered with the text by OK or Cancel; what the dialog first
    // showed, or "(no dialog)".
    std::string answerValue(const std::function<void()>& action, const char* text, bool confirm) {
        std::string shown = "(no dialog)";
        driveModal(UIStrings[usEnterValueTitle], action, {[&](HWND dialog) {
                       HWND edit = GetDlgItem(dialog, IDC_QUERY_EDIT);
                       shown = windowText(edit);
                       SetWindowTextA(edit, text);
                       PostMessageA(dialog, WM_COMMAND, confirm ? IDOK : IDCANCEL, 0);
                   }});
        return shown;
    }

    // Its file under the test's directory.
    Template* addLibraryTemplate(const char* name, const std::string& rows) {
        auto* entry = new Template;
        entry->name = DupString(name);
        entry->path = DupString(dir.path(name).c_str());
        fillTemplate(*entry, rows);
        entry->link();
        templateLibrary.add(entry);
        return entry;
    }
    // The way the template list does.
    TfrmTemplate* openEditor(Template* libraryTemplate) {
        frame->OpenTemplateEditor(libraryTemplate);
        TabEntry* current = frame->CurrentEntry();
        editor = current ? static_cast<TfrmTemplate*>(current->view) : nullptr;
        window = editor ? editor->hwnd : nullptr;
        return editor;
    }
    static std::string codesOf(const Template& t) {
        std::string codes;
        for (int32_t i = 0; i < t.fieldCount; ++i)
            codes += (i ? " " : "") + std::string(t.fields[i]->code, 4);
        return codes;
    }
    // Cancels when code is null.
    static DialogStep fill(const char* code, const char* caption = "new") {
        return [code, caption](HWND dialog) {
            if (!code) return clickButton(dialog, IDCANCEL);
            SetDlgItemTextA(dialog, IDC_FIELD_CODE, code);
            SetDlgItemTextA(dialog, IDC_FIELD_CAPTION, caption);
            clickButton(dialog, IDOK);
        };
    }

    // Input to the window of the view last opened, Shift as GetKeyState reports it.
    void press(UINT key, bool shift = false) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageA(window, WM_KEYDOWN, key, 1);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    void press(std::initializer_list<UINT> keys) {
        for (UINT key : keys) press(key);
    }
    void click(int y, bool shift = false) {
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | (shift ? MK_SHIFT : 0), MAKELPARAM(10, y));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(10, y));
    }
    void doubleClick(int y) {
        doubleClickAt(window, {10, y});
        pumpPending();
    }
    void wheel(int delta) { SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0); }
    void scrollBar(int bar, int request) {
        SendMessageA(window, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, request, 0);
    }
    RECT client() const {
        RECT area;
        GetClientRect(window, &area);
        return area;
    }
    SCROLLINFO scrollInfo(int bar) const {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(window, bar, &info);
        return info;
    }

    testsupport::TempDir dir;
    TfrmDocument* view = nullptr;
    TfrmTemplate* editor = nullptr;
    HWND window = nullptr;
};

}  // namespace guitest
