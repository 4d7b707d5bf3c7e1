#include "sondrix_process.h"

#include <vector>

namespace e2e {

bool SondrixProcess::start(const std::string& program, const std::string& workDir,
                           const std::string& arguments) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    const std::string line = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    return CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workDir.c_str(), &startup, &info_) != FALSE;
}

SondrixProcess::~SondrixProcess() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool SondrixProcess::waitForExit(DWORD timeoutMs, DWORD* exitCode) const {
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(info_.hProcess, exitCode) != FALSE;
}

}  // namespace e2e
