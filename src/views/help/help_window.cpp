// The help window's life, its window procedure, keys, mouse and scrolling.
#include "views/help/help_window.h"

#include <windowsx.h>

#include <algorithm>

#include "mainwindow/window_object.h"
#include "mainwindow/window_resources.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"

namespace {

constexpr const char* kClassName = "THelpWindow";

// The document as the build embedded it; empty when it is missing.
std::string documentText(HelpDocument document) {
    const char* name = document == HelpDocument::Guide ? "docUserGuide" : "docTemplateLanguage";
    HRSRC found = FindResourceA(moduleInstance, name, RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(moduleInstance, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return bytes ? std::string(bytes, SizeofResource(moduleInstance, found)) : std::string();
}

HFONT fontLike(HFONT base, int height, int weight, const char* face = nullptr) {
    LOGFONTA description;
    GetObjectA(base, sizeof description, &description);
    description.lfHeight = height;
    description.lfWidth = 0;
    description.lfWeight = weight;
    if (face) {
        lstrcpynA(description.lfFaceName, face, LF_FACESIZE);
        description.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    }
    return CreateFontIndirectA(&description);
}

}  // namespace

THelpWindow::THelpWindow(HWND owner) {
    WNDCLASSEXA helpClass{};
    helpClass.cbSize = sizeof helpClass;
    helpClass.style = CS_HREDRAW | CS_VREDRAW;
    helpClass.lpfnWndProc = WindowProc;
    helpClass.hInstance = moduleInstance;
    helpClass.hCursor = curArrow;
    helpClass.hbrBackground = static_cast<HBRUSH>(brWindow);
    helpClass.lpszClassName = kClassName;
    RegisterClassExA(&helpClass);  // fails harmlessly the second time
    int body = tmNormal.height;
    auto font = static_cast<HFONT>(fntNormal);
    fonts_[0] = fontLike(font, -body, FW_NORMAL);
    fonts_[1] = fontLike(font, -body, FW_NORMAL, "Courier New");
    fonts_[2] = fontLike(font, -body * 2, FW_BOLD);
    fonts_[3] = fontLike(font, -body * 3 / 2, FW_BOLD);
    CreateWindowExA(0, kClassName, UIStrings[usHelpTitle], WS_OVERLAPPEDWINDOW | WS_VSCROLL, CW_USEDEFAULT,
                    CW_USEDEFAULT, 90 * tmNormal.averageCharWidth, 40 * body, owner, nullptr, moduleInstance,
                    this);
}

THelpWindow::~THelpWindow() {
    detachWindowObject(hwnd, this);
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    for (HFONT font : fonts_) DeleteObject(font);
}

void THelpWindow::Show(HelpDocument document) {
    blocks_ = parseHelpText(documentText(document));
    links_.clear();
    for (size_t b = 0; b < blocks_.size(); ++b)
        for (size_t l = 0; l < blocks_[b].links.size(); ++l) links_.emplace_back(b, l);
    focusedLink_ = -1;
    top_ = 0;
    Layout();
    ShowWindow(hwnd, IsIconic(hwnd) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    ScrollTo(0);
}

LRESULT CALLBACK THelpWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* help = windowObject<THelpWindow>(window, message, lParam);
    if (!help) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CLOSE:
            // Kept for the next time: hidden, not destroyed.
            ShowWindow(window, SW_HIDE);
            return 0;
        case WM_SIZE:
            help->Layout();
            help->ScrollTo(help->top_);
            return 0;
        case WM_PAINT:
            help->OnPaint();
            return 0;
        case WM_VSCROLL:
            help->OnVerticalScroll(LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            help->ScrollTo(help->top_ - GET_WHEEL_DELTA_WPARAM(wParam) * 3 * tmNormal.height / WHEEL_DELTA);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS;
        case WM_KEYDOWN:
            if (help->OnKeyDown(wParam)) return 0;
            break;
        case WM_LBUTTONDOWN:
            help->OnClick(lParam);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool THelpWindow::OnKeyDown(WPARAM key) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int page = std::max<int>(client.bottom - tmNormal.height, tmNormal.height);
    switch (key) {
        case VK_UP:
            ScrollTo(top_ - tmNormal.height);
            return true;
        case VK_DOWN:
            ScrollTo(top_ + tmNormal.height);
            return true;
        case VK_PRIOR:
            ScrollTo(top_ - page);
            return true;
        case VK_NEXT:
            ScrollTo(top_ + page);
            return true;
        case VK_HOME:
            ScrollTo(0);
            return true;
        case VK_END:
            ScrollTo(contentHeight_);
            return true;
        case VK_TAB:
            FocusLink(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
            return true;
        case VK_ESCAPE:
            ShowWindow(hwnd, SW_HIDE);
            return true;
        case VK_RETURN:
            if (focusedLink_ >= 0) {
                auto [block, link] = links_[focusedLink_];
                FollowLink(blocks_[block].links[link]);
            }
            return true;
    }
    return false;
}

void THelpWindow::OnClick(LPARAM point) {
    SetFocus(hwnd);
    const int x = GET_X_LPARAM(point), y = GET_Y_LPARAM(point) + top_;
    HDC dc = GetDC(hwnd);
    for (const Line& line : lines_) {
        if (y < line.top || y >= line.top + line.height) continue;
        for (const HelpLink& link : blocks_[line.block].links) {
            size_t from, to;
            if (LinkOnLine(line, link, &from, &to) && x >= TextX(dc, line, from) && x < TextX(dc, line, to)) {
                ReleaseDC(hwnd, dc);
                return FollowLink(link);
            }
        }
    }
    ReleaseDC(hwnd, dc);
}

void THelpWindow::OnVerticalScroll(int request) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd, SB_VERT, &info);
    switch (request) {
        case SB_LINEUP:
            ScrollTo(top_ - tmNormal.height);
            break;
        case SB_LINEDOWN:
            ScrollTo(top_ + tmNormal.height);
            break;
        case SB_PAGEUP:
            ScrollTo(top_ - static_cast<int>(info.nPage));
            break;
        case SB_PAGEDOWN:
            ScrollTo(top_ + static_cast<int>(info.nPage));
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            ScrollTo(info.nTrackPos);
            break;
    }
}

void THelpWindow::ScrollTo(int top) {
    RECT client;
    GetClientRect(hwnd, &client);
    top_ = std::max(0, std::min(top, contentHeight_ - static_cast<int>(client.bottom)));
    SCROLLINFO info{sizeof info,
                    SIF_RANGE | SIF_PAGE | SIF_POS,
                    0,
                    contentHeight_,
                    static_cast<UINT>(client.bottom + 1),
                    top_,
                    0};
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateTitle();
}

// The last heading at or above the top edge, else the first one.
void THelpWindow::UpdateTitle() {
    const HelpBlock* heading = nullptr;
    for (const Line& line : lines_) {
        const HelpBlock& block = blocks_[line.block];
        if (block.kind != HelpBlockKind::Heading || line.start != 0) continue;
        if (heading && line.top > top_) break;
        heading = &block;
    }
    std::string title = UIStrings[usHelpTitle];
    if (heading) title += ": " + heading->text;
    SetWindowTextA(hwnd, title.c_str());
}

void THelpWindow::FocusLink(int step) {
    if (links_.empty()) return;
    const int count = static_cast<int>(links_.size());
    focusedLink_ = focusedLink_ < 0 ? (step > 0 ? 0 : count - 1) : (focusedLink_ + step + count) % count;
    auto [block, link] = links_[focusedLink_];
    RECT client;
    GetClientRect(hwnd, &client);
    for (const Line& line : lines_) {
        if (line.block != block || line.end <= blocks_[block].links[link].start) continue;
        if (line.top < top_ || line.top + line.height > top_ + client.bottom)
            ScrollTo(line.top - client.bottom / 3);
        break;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

void THelpWindow::FollowLink(const HelpLink& link) {
    for (const Line& line : lines_) {
        if (line.start == 0 && blocks_[line.block].anchor == link.anchor) return ScrollTo(line.top);
    }
}
