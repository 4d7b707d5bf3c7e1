#include "shell/tracked_heap.h"

#include <cstdint>
#include <cstdlib>

namespace shell {

#ifdef SONDRIX_ADDRESS_SANITIZER
// The sanitizer aborts on requests beyond what it supports instead of failing them; the program
// expects a failed allocation, as without the sanitizer.
static constexpr size_t kLargestBlock = size_t{1} << 40;
#else
static constexpr size_t kLargestBlock = SIZE_MAX;
#endif

void* heapAllocate(size_t bytes) {
    return bytes <= kLargestBlock ? std::malloc(bytes) : nullptr;
}

void heapRelease(void* block, size_t) {
    std::free(block);
}

}  // namespace shell
