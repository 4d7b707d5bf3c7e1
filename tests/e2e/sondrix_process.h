#pragma once
// Sondrix.exe started as a user starts it, in a working directory of the test's choosing.
#include <windows.h>

#include <string>

namespace e2e {

class SondrixProcess {
  public:
    // Starts the program with the directory as its working directory and the arguments after its
    // name on the command line; false when it cannot.
    bool start(const std::string& program, const std::string& workDir, const std::string& arguments = "");
    // A process still running is killed: a failed test must never leave it behind.
    ~SondrixProcess();

    DWORD id() const { return info_.dwProcessId; }
    DWORD threadId() const { return info_.dwThreadId; }
    HANDLE handle() const { return info_.hProcess; }
    bool hasEnded() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }
    // True with the exit code once the process has ended within the time.
    bool waitForExit(DWORD timeoutMs, DWORD* exitCode) const;

  private:
    PROCESS_INFORMATION info_{};
};

}  // namespace e2e
