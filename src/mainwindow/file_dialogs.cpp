#include "mainwindow/file_dialogs.h"

#include <commdlg.h>

#include <memory>

#include "mainwindow/window_resources.h"
#include "shell/strings.h"
#include "shell/ui_strings.h"

namespace {

// The common settings: the layout without the Windows 2000 fields, whose size follows the platform.
OPENFILENAMEA dialogSettings(HWND owner, char* path, const char* filter) {
    OPENFILENAMEA settings{};
    settings.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    settings.hwndOwner = owner;
    settings.hInstance = moduleInstance;
    settings.lpstrFilter = filter;
    settings.nFilterIndex = 1;
    settings.lpstrFile = path;
    settings.lpstrDefExt = "";
    path[0] = 0;
    return settings;
}

// The dialogs move the working directory to the folder the user browsed to, and the open dialog
// ignores OFN_NOCHANGEDIR: it is put back.
class WorkingDirectoryKept {
  public:
    WorkingDirectoryKept() {
        DWORD length = GetCurrentDirectoryA(sizeof folder_, folder_);
        kept_ = length > 0 && length < sizeof folder_;
    }
    ~WorkingDirectoryKept() {
        if (kept_) SetCurrentDirectoryA(folder_);
    }
    WorkingDirectoryKept(const WorkingDirectoryKept&) = delete;
    WorkingDirectoryKept& operator=(const WorkingDirectoryKept&) = delete;

  private:
    char folder_[MAX_PATH];
    bool kept_;
};

}  // namespace

bool askPathToOpen(HWND owner, char (&path)[kPathBufferSize]) {
    std::unique_ptr<char[]> filter(FilterFromText(UIStrings[usFileFilter]));
    OPENFILENAMEA settings = dialogSettings(owner, path, filter.get());
    settings.nMaxFile = 261;
    settings.lpstrInitialDir = ".";
    settings.Flags = OFN_HIDEREADONLY | OFN_LONGNAMES | OFN_NOCHANGEDIR;
    WorkingDirectoryKept kept;
    return GetOpenFileNameA(&settings) != FALSE;
}

bool askPathToSave(HWND owner, char (&path)[kPathBufferSize]) {
    std::unique_ptr<char[]> filter(FilterFromText(UIStrings[usFileFilter]));
    OPENFILENAMEA settings = dialogSettings(owner, path, filter.get());
    settings.nMaxFile = 260;
    settings.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_LONGNAMES | OFN_NOCHANGEDIR;
    WorkingDirectoryKept kept;
    return GetSaveFileNameA(&settings) != FALSE;
}
