#include "shell/tracked_heap.h"

#include <cstdlib>

namespace shell {

void* heapAllocate(size_t bytes) { return std::malloc(bytes); }

void heapRelease(void* block, size_t) { std::free(block); }

}  // namespace shell
