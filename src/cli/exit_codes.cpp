#include "cli/exit_codes.h"

#include <cstdio>

int fail(int code, const std::string& sentence) {
    std::fprintf(stderr, "sondrix-cli: %s\n", sentence.c_str());
    return code;
}

void warn(const std::string& sentence) {
    fail(kExitDone, sentence);
}
