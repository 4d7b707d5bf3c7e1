// Times the document view on a document of N synthetic records (six rows each): making the view,
// painting a screenful, scrolling to the end and back by keys and by the scroll bar, a click near
// the end, and thumb jumps, each with the status bar and the byte pane following the current row;
// the same in the byte pane (painting, End and Home, the bar, lines and pages, clicks on bytes near
// the end) with the rows following; insertions, and undoing and redoing them. Needs a display; under Wine run
// it through tools/with-display.sh.
//   document_view_gui_bench RECORDS DIRECTORY [--far]
// With --far, for files whose list folds (10^8 records, 2.4 GB), each step once as a user meets it:
// from the template chosen to the first screen painted, End, a thumb jump to the middle, Go to offset
// near the end and End in the byte pane, then the process's memory.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "document/binding.h"
#include "document/document.h"
#include "mainwindow/main_frame.h"
#include "mainwindow/window_resources.h"
#include "process_memory.h"
#include "resource_ids.h"
#include "shell/startup.h"
#include "synthetic_file.h"
#include "templates/template.h"
#include "views/document/byte_columns.h"
#include "views/document/document_view.h"
#include "views/document/goto_offset_ids.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The average time of a step and the painting it causes in every window of the frame, over `rounds`
// rounds.
template <typename Step>
double timed(HWND window, int rounds, Step step) {
    HWND frame = GetParent(window);
    auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        step(i);
        RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return millisecondsSince(start) / rounds;
}

void send(HWND window, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    SendMessageA(window, message, wParam, lParam);
}

void thumbTo(HWND window, int position) {
    SetScrollPos(window, SB_VERT, position, FALSE);
    send(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0));
}

Document* boundDocument(const std::string& path) {
    Template templ;
    fillSyntheticTemplate(templ);
    Document* document = createDocument(path.c_str(), "Untitled", &templ);
    if (document) bindFile(document);
    return document;
}

void click(HWND window, int x, int y) {
    send(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    send(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void measurePane(TfrmDocument* view, int64_t bytes) {
    HWND pane = view->Bytes().hwnd;
    const int rounds = 200;
    double paintMs = timed(pane, rounds, [&](int) { InvalidateRect(pane, nullptr, FALSE); });
    double keysMs = timed(pane, rounds, [&](int i) { send(pane, WM_KEYDOWN, i % 2 ? VK_HOME : VK_END); });
    double barMs = timed(pane, rounds, [&](int i) { send(pane, WM_VSCROLL, i % 2 ? SB_TOP : SB_BOTTOM); });
    send(pane, WM_VSCROLL, SB_BOTTOM);
    double lineMs = timed(pane, rounds, [&](int) { send(pane, WM_VSCROLL, SB_LINEUP); });
    double pageMs = timed(pane, rounds, [&](int) { send(pane, WM_VSCROLL, SB_PAGEUP); });
    send(pane, WM_VSCROLL, SB_BOTTOM);
    ByteColumns columns(bytes);
    double clickMs = timed(pane, rounds, [&](int i) {
        click(pane, columns.x(columns.hexCell(i % kBytesPerLine)) + 1, (i % 20) * columns.lineHeight() + 1);
    });
    std::printf(
        "bytes=%lld pane_paint_ms=%.3f pane_end_home_keys_ms=%.3f pane_bottom_top_bar_ms=%.3f "
        "pane_line_up_ms=%.3f pane_page_up_ms=%.3f pane_click_near_end_ms=%.3f\n",
        static_cast<long long>(bytes), paintMs, keysMs, barMs, lineMs, pageMs, clickMs);
}

void measure(TfrmDocument* view, double createMs) {
    HWND window = view->hwnd;
    RECT client;
    GetClientRect(window, &client);
    const int rounds = 200;
    double paintMs = timed(window, rounds, [&](int) { InvalidateRect(window, nullptr, FALSE); });
    double keysMs = timed(window, rounds, [&](int i) { send(window, WM_KEYDOWN, i % 2 ? VK_HOME : VK_END); });
    double barMs =
        timed(window, rounds, [&](int i) { send(window, WM_VSCROLL, i % 2 ? SB_TOP : SB_BOTTOM); });
    send(window, WM_VSCROLL, SB_BOTTOM);
    UpdateWindow(window);
    double clickMs = timed(window, rounds, [&](int i) { click(window, 10, client.bottom - 1 - i % 20); });
    int last = GetScrollPos(window, SB_VERT);
    double nearEndMs = timed(window, rounds, [&](int i) { thumbTo(window, last - 1000 * (i % 2 + 1)); });
    double middleMs = timed(window, 20, [&](int i) { thumbTo(window, i % 2 ? 0 : last / 2); });
    send(window, WM_KEYDOWN, VK_END);  // the end of the records' list
    double insertMs = timed(window, 5, [&](int) { send(window, WM_KEYDOWN, VK_INSERT); });
    // Undo and Redo lay the rows out again: a walk of the whole document each.
    double undoMs = timed(window, 5, [&](int) { send(window, WM_COMMAND, cmdUndo); });
    double redoMs = timed(window, 5, [&](int) { send(window, WM_COMMAND, cmdRedo); });
    std::printf("rows=%lld content_px=%lld window_px=%ldx%ld\n", static_cast<long long>(view->RowCount()),
                static_cast<long long>(view->ContentHeight()), client.right, client.bottom);
    std::printf(
        "create_view_ms=%.3f paint_screen_ms=%.3f end_home_keys_ms=%.3f bottom_top_bar_ms=%.3f "
        "click_near_end_ms=%.3f thumb_near_end_ms=%.3f thumb_middle_ms=%.3f insert_at_end_ms=%.3f "
        "undo_ms=%.3f redo_ms=%.3f\n",
        createMs, paintMs, keysMs, barMs, clickMs, nearEndMs, middleMs, insertMs, undoMs, redoMs);
}

// Answers the Go to offset dialog as it opens with the offset, as a user typing it would.
std::string typedOffset;
LRESULT CALLBACK answerGoTo(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto dialog = reinterpret_cast<HWND>(wParam);
        SetDlgItemTextA(dialog, IDC_GOTO_EDIT, typedOffset.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Each far move once, each checked to have arrived where it went.
int measureFarMoves(TfrmDocument* view, double bindMs, double firstScreenMs, int64_t bytes) {
    HWND window = view->hwnd;
    HWND pane = view->Bytes().hwnd;
    double endMs = timed(window, 1, [&](int) { send(window, WM_KEYDOWN, VK_END); });
    bool atEnd = view->CurrentSpot().bottom() == view->ContentHeight();
    SCROLLINFO bar{sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(window, SB_VERT, &bar);
    double middleMs = timed(window, 1, [&](int) { thumbTo(window, bar.nMax / 2); });
    bool inMiddle =
        view->scrollOffset > view->ContentHeight() / 3 && view->scrollOffset < view->ContentHeight() / 3 * 2;
    const int64_t nearEnd = bytes - 1000;
    typedOffset = std::to_string(nearEnd);
    HHOOK hook = SetWindowsHookExA(WH_CBT, answerGoTo, nullptr, GetCurrentThreadId());
    double goToMs = timed(window, 1, [&](int) { send(window, WM_COMMAND, cmdGoToOffset); });
    UnhookWindowsHookEx(hook);
    bool wentTo = view->Bytes().Cursor() == nearEnd;
    double paneEndMs = timed(pane, 1, [&](int) { send(pane, WM_KEYDOWN, VK_END); });
    bool paneAtEnd = view->Bytes().Cursor() == bytes - 1;
    std::printf("rows=%lld instances=%lld content_px=%lld bytes=%lld\n",
                static_cast<long long>(view->RowCount()),
                static_cast<long long>(view->document->instanceCount),
                static_cast<long long>(view->ContentHeight()), static_cast<long long>(bytes));
    std::printf(
        "bind_ms=%.1f template_to_first_screen_ms=%.1f end_ms=%.3f thumb_middle_ms=%.3f "
        "goto_near_end_ms=%.3f "
        "pane_end_ms=%.3f resident_mb=%.1f peak_resident_mb=%.1f\n",
        bindMs, firstScreenMs, endMs, middleMs, goToMs, paneEndMs, residentBytes() / 1048576.0,
        peakResidentBytes() / 1048576.0);
    if (atEnd && inMiddle && wentTo && paneAtEnd) return 0;
    std::printf("MISSED: a move did not arrive (end %d, middle %d, go to %d, pane end %d)\n", atEnd, inMiddle,
                wentTo, paneAtEnd);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    SyntheticInput synthetic;
    if (int failed = prepareSyntheticInput(argc, argv, "view", " [--far]", &synthetic)) return failed;
    bool farMoves = argc > 3 && std::strcmp(argv[3], "--far") == 0;
    const std::string& input = synthetic.path;
    int64_t writtenBytes = synthetic.bytes;
    moduleInstance = GetModuleHandleA(nullptr);
    curArrow = LoadCursorA(nullptr, IDC_ARROW);
    startEngine();
    int exitCode = 0;
    {
        TfrmMain frame;
        MoveWindow(frame.hwnd, 0, 0, 800, 600, TRUE);
        pump();
        // The template is chosen: binding, the view and its first screen follow.
        auto chosen = Clock::now();
        Document* document = boundDocument(input);
        if (document) {
            double bindMs = millisecondsSince(chosen);
            auto start = Clock::now();
            auto* view = new TfrmDocument(&frame, frame.hwnd, document);
            frame.ActivateView(frame.AddView(vkDocument, view));
            double createMs = millisecondsSince(start);
            RedrawWindow(frame.hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            double firstScreenMs = millisecondsSince(chosen);
            pump();
            if (farMoves) {
                exitCode = measureFarMoves(view, bindMs, firstScreenMs, writtenBytes);
            } else {
                measure(view, createMs);
                measurePane(view, writtenBytes);
            }
        } else {
            exitCode = 1;
        }
        DestroyWindow(frame.hwnd);
        pump();
    }
    stopEngine();
    DeleteFileA(input.c_str());
    return exitCode;
}
