#include "views/template/template_choice_list.h"

// after windows.h, whose types it uses
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "shell/ui_strings.h"
#include "templates/template_includes.h"
#include "templates/template_library.h"
#include "views/template/dialog_support.h"
#include "views/template/template_choice_list_ids.h"

namespace {

char emptyText[] = "";

void fillTemplateList(HWND list) {
    RECT client;
    GetClientRect(list, &client);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    int width = client.right - GetSystemMetrics(SM_CXVSCROLL) - 1;
    column.cx = width / 2;
    column.pszText = UIStrings[usTemplateColumn];
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    column.cx = width - width / 2;
    column.pszText = UIStrings[usStructuresColumn];
    SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);

    for (int32_t i = 0; i < templateLibrary.count; ++i) {
        Template* entry = templateLibrary.templates[i];
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
        item.iItem = i;
        item.pszText = entry->name ? entry->name : emptyText;
        item.lParam = reinterpret_cast<LPARAM>(entry);
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = i == 0 ? item.stateMask : 0;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        // What it uses and what uses it, beside its name.
        std::string reuse = reuseText(*entry);
        LVITEMA structures{};
        structures.iSubItem = 1;
        structures.pszText = &reuse[0];
        SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&structures));
    }
}

void layoutTemplateDialog(HWND dialog, int secondButton, SecondButtonWidth width) {
    RECT client;
    GetClientRect(dialog, &client);
    const int w = client.right;
    const int h = client.bottom;
    const ControlPlacement places[] = {
        {IDC_TEMPLATE_LIST, 0, 0, w, h - 25},
        {IDOK, 0, h - 24, w / 2, 23},
        {secondButton, w / 2, h - 24, width == SecondButtonWidth::half ? w / 2 : w - w / 2, 23},
    };
    placeControls(dialog, places, sizeof places / sizeof places[0]);
}

}  // namespace

INT_PTR templateDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                              const TemplateDialogRules& rules) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            fillTemplateList(GetDlgItem(dialog, IDC_TEMPLATE_LIST));
            setProgramIcons(dialog);
            SendMessageA(dialog, WM_SIZE, 0, 0);
            return TRUE;
        case WM_SIZE:
            layoutTemplateDialog(dialog, rules.secondButton, rules.secondWidth);
            return TRUE;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code != static_cast<UINT>(NM_DBLCLK)) return FALSE;
            rules.onDoubleClick(dialog);
            return TRUE;
        case WM_COMMAND:
            rules.onCommand(dialog, LOWORD(wParam));
            return TRUE;
    }
    return FALSE;
}

Template* chosenTemplate(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
    const int index =
        static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (index < 0 || index >= templateLibrary.count) return nullptr;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<Template*>(item.lParam);
}
