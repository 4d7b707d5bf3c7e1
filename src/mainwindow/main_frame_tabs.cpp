// The tabs of the main frame and the views on them.
#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <new>

#include "mainwindow/main_frame.h"
#include "shell/pointer_array.h"

namespace {

char emptyText[] = "";

}  // namespace

TabEntry* TfrmMain::AddView(int32_t kind, TfrmView* view) {
    auto* entry = new (std::nothrow) TabEntry(kind, view);
    if (!entry) {
        delete view;
        return nullptr;
    }
    if (!shell::appendPointer(entries, count, capacity, kEntryGrowth, entry)) {
        delete entry;
        return nullptr;
    }
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = emptyText;
    item.iImage = -1;
    item.lParam = reinterpret_cast<LPARAM>(entry);
    // Entry i must stay with tab i: without a tab the entry goes again.
    if (SendMessageA(hwndTabs, TCM_INSERTITEMA, count - 1, reinterpret_cast<LPARAM>(&item)) < 0) {
        --count;
        delete entry;
        return nullptr;
    }
    view->UpdateCaption();
    LayoutView(entry);
    return entry;
}

void TfrmMain::RemoveView(TabEntry* entry) {
    int32_t index = 0;
    while (index < count && entries[index] != entry) ++index;
    if (index == count) return;
    SendMessageA(hwndTabs, TCM_DELETEITEM, index, 0);
    shell::removePointerAt(entries, count, index);
    if (count > 0) {
        ActivateView(entries[index < count ? index : count - 1]);
    } else {
        ShowStatus(nullptr);
        // Keys reach the accelerators only through a window of the program that has the focus.
        SetFocus(hwnd);
    }
    DestroyWindow(entry->view->hwnd);
    delete entry;
}

void TfrmMain::ActivateView(TabEntry* entry) {
    if (TabEntry* current = CurrentEntry()) ShowWindow(current->view->hwnd, SW_HIDE);
    if (!entry) return;
    int tabs = static_cast<int>(SendMessageA(hwndTabs, TCM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < tabs; ++index) {
        if (EntryOfTab(index) == entry) {
            SendMessageA(hwndTabs, TCM_SETCURSEL, index, 0);
            HWND window = entry->view->hwnd;
            ShowWindow(window, SW_SHOW);
            entry->view->UpdateStatus();
            SetFocus(window);
            InvalidateRect(window, nullptr, FALSE);
            return;
        }
    }
}

void TfrmMain::LayoutView(TabEntry* entry) {
    entry->view->SetBounds(DisplayArea());
}

RECT TfrmMain::DisplayArea() {
    RECT display;
    GetClientRect(hwndTabs, &display);
    SendMessageA(hwndTabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    return display;
}

void TfrmMain::SetViewCaption(TfrmView* view) {
    for (int32_t i = 0; i < count; ++i) {
        if (entries[i]->view != view) continue;
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = view->caption ? view->caption : emptyText;
        SendMessageA(hwndTabs, TCM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
        // The tab control repaints its strip only as far as the tabs now reach: the end of a longer
        // text would stay on the screen.
        RECT strip;
        GetClientRect(hwndTabs, &strip);
        strip.bottom = DisplayArea().top;
        InvalidateRect(hwndTabs, &strip, TRUE);
        // The new text may change the tab rows and so the display area.
        MoveWindow(view->hwnd, 0, 0, 60, 60, TRUE);
        LayoutView(entries[i]);
        return;
    }
}

TabEntry* TfrmMain::CurrentEntry() {
    int index = static_cast<int>(SendMessageA(hwndTabs, TCM_GETCURSEL, 0, 0));
    return index < 0 ? nullptr : EntryOfTab(index);
}

TabEntry* TfrmMain::EntryOfTab(int index) {
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    if (!SendMessageA(hwndTabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<TabEntry*>(item.lParam);
}
