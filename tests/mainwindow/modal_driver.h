#pragma once
// Drives a modal dialog from inside its own message loop: a timer finds the dialog this thread
// shows and hands it to the test's steps, one step per tick, until the dialog has closed.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace guitest {

using DialogStep = std::function<void(HWND dialog)>;

// Runs showModal (which returns when the dialog ends) while the steps act on the dialog titled
// `title`. Returns how many steps ran; fewer than given means the dialog closed early or never came.
size_t driveModal(const std::string& title, const std::function<void()>& showModal,
                  std::vector<DialogStep> steps);

std::string windowText(HWND window);

}  // namespace guitest
