#include "mainwindow/modal_driver.h"

namespace guitest {

namespace {

struct Drive {
    std::string title;
    std::vector<DialogStep> steps;
    size_t done = 0;
    ULONGLONG deadline = 0;
};

Drive* current = nullptr;

struct Search {
    const std::string* title;
    HWND found;
};

BOOL CALLBACK matchTitle(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (IsWindowVisible(window) && windowText(window) == *search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findDialog(const std::string& title) {
    Search search{&title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), matchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current) return;
    HWND dialog = findDialog(current->title);
    if (dialog && current->done < current->steps.size()) {
        current->steps[current->done++](dialog);
    } else if (GetTickCount64() > current->deadline && dialog) {
        EndDialog(dialog, 0);  // a test that lost its way must not hang the run
    }
}

}  // namespace

size_t driveModal(const std::string& title, const std::function<void()>& showModal,
                  std::vector<DialogStep> steps) {
    Drive drive{title, std::move(steps), 0, GetTickCount64() + 10000};
    current = &drive;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, onTick);
    showModal();
    KillTimer(nullptr, timer);
    current = nullptr;
    return drive.done;
}

std::string windowText(HWND window) {
    char text[512];
    GetWindowTextA(window, text, sizeof text);
    return text;
}

}  // namespace guitest
