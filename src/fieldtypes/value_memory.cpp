#include "fieldtypes/value_memory.h"

#include <new>

#include "shell/tracked_heap.h"

namespace {

constexpr size_t kGrain = 8;
constexpr size_t kClasses = 8;
#ifdef SONDRIX_ADDRESS_SANITIZER
constexpr size_t kLargestShared = 0;
#else
constexpr size_t kLargestShared = kClasses * kGrain;
#endif
constexpr size_t kBlockBytes = 64 * 1024;

struct FreeSlot {
    FreeSlot* next;
};

struct alignas(16) Block {
    Block* previous;
};

// Freed slots are kept per size class; new ones are cut from the newest block.
struct SharedBlocks {
    FreeSlot* freeSlots[kClasses] = {};
    char* next = nullptr;
    char* end = nullptr;
    Block* newest = nullptr;
    long long live = 0;
};

SharedBlocks shared;

size_t classOf(size_t bytes) {
    return bytes == 0 ? 0 : (bytes - 1) / kGrain;
}

void releaseAllBlocks() {
    while (shared.newest) {
        Block* previous = shared.newest->previous;
        delete[] reinterpret_cast<char*>(shared.newest);
        shared.newest = previous;
    }
    shared = SharedBlocks{};
}

void* cutSlot(size_t slotBytes) {
    if (static_cast<size_t>(shared.end - shared.next) < slotBytes) {
        char* bytes = new (std::nothrow) char[kBlockBytes];
        if (!bytes) return nullptr;
        Block* block = reinterpret_cast<Block*>(bytes);
        block->previous = shared.newest;
        shared.newest = block;
        shared.next = bytes + sizeof(Block);
        shared.end = bytes + kBlockBytes;
    }
    void* slot = shared.next;
    shared.next += slotBytes;
    return slot;
}

}  // namespace

void* allocateValue(size_t bytes) {
    if (bytes > kLargestShared) {
        void* block = ::operator new(bytes, std::nothrow);
        if (block) ++shared.live;
        return block;
    }
    size_t sizeClass = classOf(bytes);
    void* slot = shared.freeSlots[sizeClass];
    if (slot) {
        shared.freeSlots[sizeClass] = shared.freeSlots[sizeClass]->next;
    } else {
        slot = cutSlot((sizeClass + 1) * kGrain);
        if (!slot) return nullptr;
    }
    ++shared.live;
    return slot;
}

void releaseValue(void* block, size_t bytes) {
    if (!block) return;
    if (bytes > kLargestShared) {
        ::operator delete(block);
    } else {
        FreeSlot* slot = static_cast<FreeSlot*>(block);
        size_t sizeClass = classOf(bytes);
        slot->next = shared.freeSlots[sizeClass];
        shared.freeSlots[sizeClass] = slot;
    }
    if (--shared.live == 0) releaseAllBlocks();
}

long long liveValueCount() {
    return shared.live;
}
