#pragma once
// The heap beneath the memory tracker. Callers give back the size they asked for, which lets the
// heap keep small blocks without a header of its own.
#include <cstddef>

// Under AddressSanitizer every block is a block of its own, so that the sanitizer sees each one.
#if defined(__SANITIZE_ADDRESS__)
#define SONDRIX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SONDRIX_ADDRESS_SANITIZER 1
#endif
#endif

namespace shell {

void* heapAllocate(size_t bytes);
void heapRelease(void* block, size_t bytes);

}  // namespace shell
