#pragma once
#include <string>

// The documented exit codes of sondrix-cli (see its --help).

enum ExitCode {
    kExitDone = 0,
    kExitUsage = 1,
    kExitFile = 2,
    kExitTemplateUnreadable = 3,
    kExitTemplateInvalid = 4,
    kExitBindingStopped = 5,
    kExitEditRefused = 6,
};

// Prints "sondrix-cli: " and the sentence on standard error; returns the code.
int fail(int code, const std::string& sentence);
// The same for something the command does all the same.
void warn(const std::string& sentence);
