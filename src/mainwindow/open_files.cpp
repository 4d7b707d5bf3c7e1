// Files that arrive other than through the Open dialog: named on the command line (with a library
// template, or the selection dialog asks) and dropped on the main window, one tab each. Without a
// template, a file that the leading bytes of only one template match opens with it at once.
#include <windows.h>
// after windows.h, whose types it uses
#include <shellapi.h>

#include <string>

#include "mainwindow/main_frame.h"
#include "templates/template.h"
#include "templates/template_choice.h"
#include "templates/template_library.h"

namespace {

std::string utf8Of(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size : 1, '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text, -1, &result[0], size, nullptr, nullptr);
    result.resize(result.size() - 1);
    return result;
}

// Documents keep absolute paths: a file dialog may move the working directory later.
std::string fullPathOf(const wchar_t* path) {
    DWORD size = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (size == 0) return utf8Of(path);
    std::wstring full(size, L'\0');
    GetFullPathNameW(path, size, &full[0], nullptr);
    return utf8Of(full.c_str());
}

}  // namespace

void TfrmMain::OpenCommandLine() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return;
    if (count >= 2) {
        std::string path = fullPathOf(arguments[1]);
        Template* named = count >= 3 ? templateLibrary.named(utf8Of(arguments[2]))
                                     : onlyContentMatch(templateLibrary, path.c_str());
        OpenDocumentView(path.c_str(), named);
    }
    LocalFree(arguments);
}

void TfrmMain::OnDropFiles(HDROP drop) {
    UINT files = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < files; ++i) {
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        DragQueryFileW(drop, i, &path[0], length + 1);
        std::string full = fullPathOf(path.c_str());
        OpenDocumentView(full.c_str(), onlyContentMatch(templateLibrary, full.c_str()));
    }
    DragFinish(drop);
}
