#pragma once
// The process's resident memory as the system counts it: everything, the tracker's tables and the
// heap's slack included. On Windows (and under Wine, whose /proc/self is the server's) it is the
// working set, whose peak counts from the process's start.
#include <cstdint>

// Starts a new peak at the present resident size, where the system allows it.
void resetPeakMemory();
int64_t residentBytes();
int64_t peakResidentBytes();
