// File > the recent files: made anew each time the File menu opens, from the settings file, so that
// every window of the program (and the next start) shows the same list.
#include <windows.h>

#include <cstdio>
#include <string>

#include "mainwindow/main_frame.h"
#include "resource_ids.h"
#include "shell/recent_files.h"
#include "shell/settings_file.h"
#include "shell/ui_strings.h"
#include "templates/template.h"
#include "templates/template_library.h"

namespace {

// An ampersand in a path would underline the letter after it.
std::string menuText(int position, const RecentFile& entry) {
    std::string text = "&" + std::to_string(position + 1) + " ";
    for (char c : entry.path) text += c == '&' ? std::string("&&") : std::string(1, c);
    return text + "  (" + entry.templateName + ")";
}

void tell(HWND owner, UIStringIndex text, const std::string& first, const std::string& second = "") {
    char message[1200];
    std::snprintf(message, sizeof message, UIStrings[text], first.c_str(), second.c_str());
    MessageBoxA(owner, message, UIStrings[usProductName], MB_OK | MB_ICONINFORMATION);
}

}  // namespace

void TfrmMain::ShowRecentFiles(HMENU fileMenu) {
    int at = -1;
    for (int i = GetMenuItemCount(fileMenu) - 1; i >= 0; --i) {
        UINT id = GetMenuItemID(fileMenu, i);
        if (id >= cmdRecentFirst && id <= cmdRecentLast) {
            DeleteMenu(fileMenu, i, MF_BYPOSITION);
            at = i;
        }
    }
    if (at < 0) return;  // not the File menu
    std::vector<RecentFile> list = recentFiles(settingsFilePath);
    if (list.empty())
        InsertMenuA(fileMenu, at, MF_BYPOSITION | MF_GRAYED, cmdRecentFirst, UIStrings[usNoRecentFiles]);
    for (size_t i = 0; i < list.size(); ++i)
        InsertMenuA(fileMenu, at + static_cast<int>(i), MF_BYPOSITION, cmdRecentFirst + i,
                    menuText(static_cast<int>(i), list[i]).c_str());
}

void TfrmMain::OpenRecentFile(int command) {
    std::vector<RecentFile> list = recentFiles(settingsFilePath);
    size_t position = static_cast<size_t>(command - cmdRecentFirst);
    if (position >= list.size()) return;
    const RecentFile chosen = list[position];
    if (GetFileAttributesA(chosen.path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        storeRecentFiles(settingsFilePath, withoutRecent(list, chosen.path));
        return tell(hwnd, usRecentFileGone, chosen.path);
    }
    Template* templ = templateLibrary.named(chosen.templateName);
    if (!templ) tell(hwnd, usRecentTemplateGone, chosen.path, chosen.templateName);
    OpenDocumentView(chosen.path.c_str(), templ);
}

void TfrmMain::RememberRecentFile(const char* path, const Template* templ) {
    if (!path || !*path || !templ->name) return;
    storeRecentFiles(settingsFilePath, withRecentFirst(recentFiles(settingsFilePath), {path, templ->name}));
}
