#include "process_memory.h"

#ifdef _WIN32
#include <windows.h>
// after windows.h, whose types it uses
#include <psapi.h>

namespace {

PROCESS_MEMORY_COUNTERS counters() {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return memory;
}

}  // namespace

void resetPeakMemory() {}

int64_t residentBytes() {
    return static_cast<int64_t>(counters().WorkingSetSize);
}
int64_t peakResidentBytes() {
    return static_cast<int64_t>(counters().PeakWorkingSetSize);
}

#else
#include <cstdio>
#include <cstring>

static int64_t statusField(const char* name) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    int64_t kib = -1;
    size_t length = std::strlen(name);
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, name, length) == 0) {
            long long value = 0;
            if (std::sscanf(line + length, " %lld", &value) == 1) kib = value;
            break;
        }
    }
    std::fclose(status);
    return kib < 0 ? -1 : kib * 1024;
}

void resetPeakMemory() {
    if (std::FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
}

int64_t residentBytes() {
    return statusField("VmRSS:");
}
int64_t peakResidentBytes() {
    return statusField("VmHWM:");
}
#endif
