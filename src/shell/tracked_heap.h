#pragma once
// The heap beneath the memory tracker. Callers give back the size they asked for, which lets the
// heap keep small blocks without a header of its own.
#include <cstddef>

namespace shell {

void* heapAllocate(size_t bytes);
void heapRelease(void* block, size_t bytes);

}  // namespace shell
