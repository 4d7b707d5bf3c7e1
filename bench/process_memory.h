#pragma once
// The process's resident memory as the kernel counts it: everything, the tracker's tables and the
// heap's slack included.
#include <cstdint>

// Starts a new peak at the present resident size.
void resetPeakMemory();
int64_t residentBytes();
int64_t peakResidentBytes();
