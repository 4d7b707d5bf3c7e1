// The menu and accelerators linked into the executable.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "resource_ids.h"

namespace {

std::string menuText(HMENU menu, int position) {
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

// Each popup as "caption: item|item", "-" for a separator, " (grey)" after a greyed item; the ids
// in menu order, 0 for a separator.
TEST(Resources, MainMenuHasTheFivePopupsWithTheirItemsInOrder) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), kMainMenuName);
    std::vector<std::string> popups;
    std::vector<std::vector<UINT>> ids;
    for (int p = 0; p < GetMenuItemCount(menu); ++p) {
        HMENU popup = GetSubMenu(menu, p);
        popups.push_back(menuText(menu, p) + ":");
        ids.emplace_back();
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            const UINT state = GetMenuState(popup, i, MF_BYPOSITION);
            popups.back() +=
                (i ? "|" : " ") +
                (state & MF_SEPARATOR ? "-" : menuText(popup, i) + (state & MF_GRAYED ? " (grey)" : ""));
            ids.back().push_back(GetMenuItemID(popup, i));
        }
    }
    DestroyMenu(menu);
    EXPECT_EQ(
        popups,
        (std::vector<std::string>{
            "&File: &New\tCtrl+N|&Open\tCtrl+O|&Save\tCtrl+S|Save &as...|&Close\tCtrl+F4|-|"
            "No recent files (grey)|-|E&xit\tAlt+X",
            "&Edit: &Undo\tCtrl+Z|&Redo\tCtrl+Y|-|&Copy\tCtrl+C|&Paste\tCtrl+V|-|&Delete item\tDel|-|"
            "&Go to offset...\tCtrl+G|&Find...\tCtrl+F|Find &next\tF3|Find pre&vious\tShift+F3",
            "&View: Bytes &beside the rows|Bytes be&low the rows",
            "&Tools: &List templates...\tCtrl+L|-|&Preferences...",
            "&Help: &Contents\tF1|&Index...|-|&About...|-|Go to Sondrix homepage"}));
    EXPECT_EQ(ids,
              (std::vector<std::vector<UINT>>{{cmdNew, cmdOpen, cmdSave, cmdSaveAs, cmdClose, 0, cmdRecentFirst, 0, cmdExit},
                                              {cmdUndo, cmdRedo, 0, cmdCopy, cmdPaste, 0, cmdDeleteItem, 0,
                                               cmdGoToOffset, cmdFind, cmdFindNext, cmdFindPrevious},
                                              {cmdBytesBeside, cmdBytesBelow},
                                              {cmdListTemplates, 0, cmdPreferences},
                                              {cmdHelpContents, cmdHelpIndex, 0, cmdAbout, 0, cmdHomePage}}));
}

// Flags, key, command; 0x80 ends the table.
TEST(Resources, AcceleratorsAreVirtualKeysWithoutMenuInversion) {
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), kAcceleratorsName);
    ACCEL entries[32];
    using Entry = std::tuple<int, int, int>;
    std::vector<Entry> actual;
    for (int i = 0; i < CopyAcceleratorTableA(table, entries, 32); ++i)
        actual.push_back({entries[i].fVirt & ~0x80, entries[i].key, entries[i].cmd});
    constexpr int kCtrl = FVIRTKEY | FNOINVERT | FCONTROL;
    const Entry expected[] = {
        {kCtrl, 'L', cmdListTemplates}, {kCtrl, 'N', cmdNew},     {kCtrl, 'O', cmdOpen},
        {kCtrl, 'S', cmdSave},          {kCtrl, VK_F4, cmdClose}, {FVIRTKEY | FNOINVERT | FALT, 'X', cmdExit},
        {kCtrl, 'Z', cmdUndo},          {kCtrl, 'Y', cmdRedo},    {kCtrl, 'G', cmdGoToOffset},
        {kCtrl, 'F', cmdFind},          {FVIRTKEY | FNOINVERT, VK_F3, cmdFindNext},
        {FVIRTKEY | FNOINVERT | FSHIFT, VK_F3, cmdFindPrevious},
        {kCtrl, 'C', cmdCopy},          {kCtrl, 'V', cmdPaste},
        {FVIRTKEY | FNOINVERT, VK_F1, cmdHelpContents}};
    EXPECT_EQ(actual, std::vector<Entry>(std::begin(expected), std::end(expected)));
}

}  // namespace
