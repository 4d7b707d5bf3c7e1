// The program's operator new and delete: every block is registered in the allocation table.
// A block carries a 16-byte header (the requested size, then the offset back to the heap block),
// so the caller's bytes keep the 16-byte alignment that operator new promises.
#include <cstdint>
#include <cstring>
#include <new>

#include "shell/debug_log.h"
#include "shell/memory_tracker.h"
#include "shell/tracked_heap.h"

namespace {

constexpr size_t kHeader = 16;

struct Header {
    uint64_t size;
    uint64_t offset;  // from the heap block to the caller's bytes; kHeader unless over-aligned
};

Header* headerOf(void* address) {
    return reinterpret_cast<Header*>(static_cast<char*>(address) - kHeader);
}

void* allocateTracked(size_t size, size_t alignment) {
    size_t slack = alignment > kHeader ? alignment : 0;
    if (size > SIZE_MAX - kHeader - slack) return nullptr;
    size_t blockBytes = size + kHeader + slack;
    char* block = static_cast<char*>(shell::heapAllocate(blockBytes));
    if (!block) return nullptr;
    uintptr_t first = reinterpret_cast<uintptr_t>(block) + kHeader;
    if (slack) first = (first + alignment - 1) & ~(static_cast<uintptr_t>(alignment) - 1);
    void* address = reinterpret_cast<void*>(first);
    Header* header = headerOf(address);
    header->size = size;
    header->offset = first - reinterpret_cast<uintptr_t>(block);
    if (!shell::processAllocations().add(address, size)) {
        shell::heapRelease(block, blockBytes);
        return nullptr;
    }
    return address;
}

void releaseTracked(void* address, size_t alignment) {
    if (!address) return;
    uint64_t size = 0;
    if (!shell::processAllocations().remove(address, &size)) {
        // Never a live block of ours: nothing goes back to the heap, so nothing is freed twice.
        shell::logLine("\tRequested deletion of non-allocated space!\n");
        return;
    }
    Header* header = headerOf(address);
    size_t slack = alignment > kHeader ? alignment : 0;
    char* block = static_cast<char*>(address) - header->offset;
    shell::heapRelease(block, size + kHeader + slack);
}

void* allocateOrThrow(size_t size, size_t alignment) {
    for (;;) {
        if (void* address = allocateTracked(size, alignment)) return address;
        std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}

}  // namespace

void* operator new(size_t size) {
    return allocateOrThrow(size, 0);
}
void* operator new[](size_t size) {
    return allocateOrThrow(size, 0);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return allocateTracked(size, 0);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return allocateTracked(size, 0);
}
void* operator new(size_t size, std::align_val_t alignment) {
    return allocateOrThrow(size, static_cast<size_t>(alignment));
}
void* operator new[](size_t size, std::align_val_t alignment) {
    return allocateOrThrow(size, static_cast<size_t>(alignment));
}
void* operator new(size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return allocateTracked(size, static_cast<size_t>(alignment));
}
void* operator new[](size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return allocateTracked(size, static_cast<size_t>(alignment));
}

void operator delete(void* address) noexcept {
    releaseTracked(address, 0);
}
void operator delete[](void* address) noexcept {
    releaseTracked(address, 0);
}
void operator delete(void* address, size_t) noexcept {
    releaseTracked(address, 0);
}
void operator delete[](void* address, size_t) noexcept {
    releaseTracked(address, 0);
}
void operator delete(void* address, const std::nothrow_t&) noexcept {
    releaseTracked(address, 0);
}
void operator delete[](void* address, const std::nothrow_t&) noexcept {
    releaseTracked(address, 0);
}
void operator delete(void* address, std::align_val_t alignment) noexcept {
    releaseTracked(address, static_cast<size_t>(alignment));
}
void operator delete[](void* address, std::align_val_t alignment) noexcept {
    releaseTracked(address, static_cast<size_t>(alignment));
}
void operator delete(void* address, size_t, std::align_val_t alignment) noexcept {
    releaseTracked(address, static_cast<size_t>(alignment));
}
void operator delete[](void* address, size_t, std::align_val_t alignment) noexcept {
    releaseTracked(address, static_cast<size_t>(alignment));
}
