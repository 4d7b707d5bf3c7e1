#include "shell/memory_tracker.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/debug_log.h"

namespace shell {

// The table's own arrays come from the plain heap, so they are never tracked or reported.

uint32_t AllocationTable::bucketOf(const void* address) const {
    uint64_t key = reinterpret_cast<uintptr_t>(address) >> 4;
    return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & indexMask_;
}

int32_t AllocationTable::find(const void* address) const {
    if (!index_) return -1;
    for (uint32_t bucket = bucketOf(address);; bucket = (bucket + 1) & indexMask_) {
        uint32_t slot = index_[bucket];
        if (slot == 0) return -1;
        if (addresses_[slot - 1] == address) return static_cast<int32_t>(slot - 1);
    }
}

bool AllocationTable::rebuildIndex(uint32_t buckets) {
    uint32_t* fresh = static_cast<uint32_t*>(std::calloc(buckets, sizeof(uint32_t)));
    if (!fresh) return false;
    std::free(index_);
    index_ = fresh;
    indexMask_ = buckets - 1;
    for (int32_t slot = 0; slot < count_; ++slot) {
        uint32_t bucket = bucketOf(addresses_[slot]);
        while (index_[bucket] != 0) bucket = (bucket + 1) & indexMask_;
        index_[bucket] = static_cast<uint32_t>(slot) + 1;
    }
    return true;
}

// Doubling keeps registration amortised constant (128, 256, 512, ...).
bool AllocationTable::grow() {
    int64_t wanted = capacity_ == 0 ? kFirstCapacity : static_cast<int64_t>(capacity_) * 2;
    if (wanted > INT32_MAX) wanted = INT32_MAX;
    if (wanted <= count_) return false;
    void** addresses = static_cast<void**>(std::realloc(addresses_, wanted * sizeof(void*)));
    if (!addresses) return false;
    addresses_ = addresses;
    uint64_t* sizes = static_cast<uint64_t*>(std::realloc(sizes_, wanted * sizeof(uint64_t)));
    if (!sizes) return false;
    sizes_ = sizes;
    uint64_t buckets = 1;
    while (buckets < static_cast<uint64_t>(wanted) * 2) buckets <<= 1;
    if (buckets > 0x80000000ull || !rebuildIndex(static_cast<uint32_t>(buckets))) return false;
    capacity_ = static_cast<int32_t>(wanted);
    return true;
}

bool AllocationTable::add(void* address, uint64_t size) {
    if (count_ >= capacity_ && !grow()) return false;
    addresses_[count_] = address;
    sizes_[count_] = size;
    uint32_t bucket = bucketOf(address);
    while (index_[bucket] != 0) bucket = (bucket + 1) & indexMask_;
    index_[bucket] = static_cast<uint32_t>(count_) + 1;
    ++count_;
    total_ += static_cast<int64_t>(size);
    return true;
}

// Backward-shift deletion keeps every probe chain unbroken without tombstones.
void AllocationTable::eraseBucket(uint32_t hole) {
    uint32_t bucket = hole;
    for (;;) {
        bucket = (bucket + 1) & indexMask_;
        uint32_t slot = index_[bucket];
        if (slot == 0) break;
        uint32_t home = bucketOf(addresses_[slot - 1]);
        bool movable = hole <= bucket ? (home <= hole || home > bucket) : (home <= hole && home > bucket);
        if (movable) {
            index_[hole] = slot;
            hole = bucket;
        }
    }
    index_[hole] = 0;
}

bool AllocationTable::remove(void* address, uint64_t* size) {
    if (!index_) return false;
    uint32_t bucket = bucketOf(address);
    while (index_[bucket] != 0 && addresses_[index_[bucket] - 1] != address) {
        bucket = (bucket + 1) & indexMask_;
    }
    if (index_[bucket] == 0) return false;
    int32_t slot = static_cast<int32_t>(index_[bucket] - 1);
    eraseBucket(bucket);
    *size = sizes_[slot];
    total_ -= static_cast<int64_t>(sizes_[slot]);
    --count_;
    if (slot != count_) {
        // The last entry fills the hole, so the order is not the order of allocation.
        addresses_[slot] = addresses_[count_];
        sizes_[slot] = sizes_[count_];
        uint32_t moved = bucketOf(addresses_[slot]);
        while (index_[moved] != static_cast<uint32_t>(count_) + 1) moved = (moved + 1) & indexMask_;
        index_[moved] = static_cast<uint32_t>(slot) + 1;
    }
    return true;
}

void AllocationTable::releaseArrays() {
    std::free(addresses_);
    std::free(sizes_);
    std::free(index_);
    addresses_ = nullptr;
    sizes_ = nullptr;
    index_ = nullptr;
    count_ = capacity_ = 0;
    total_ = 0;
    indexMask_ = 0;
}

// Constant-initialised: allocations made by static constructors already find it ready.
static AllocationTable processTable;

AllocationTable& processAllocations() {
    return processTable;
}

int formatLeakHeader(char* buffer, size_t size, int32_t count, int64_t total) {
    return std::snprintf(buffer, size, "Memory leaks: %d (%" PRId64 " bytes)\n", count, total);
}

int formatLeakBlock(char* buffer, size_t size, const void* address, uint64_t length) {
    int shown = length < 100 ? static_cast<int>(length) : 100;
    return std::snprintf(buffer, size, "\tBlock: %.8" PRIxPTR ", len %.5" PRIu64 "; contents: \"%.*s\"\n",
                         reinterpret_cast<uintptr_t>(address), length, shown,
                         static_cast<const char*>(address));
}

void reportMemoryLeaks(const AllocationTable& table) {
    char line[1000];
    formatLeakHeader(line, sizeof line, table.count(), table.total());
    logLine(line);
    for (int32_t i = 0; i < table.count(); ++i) {
        formatLeakBlock(line, sizeof line, table.addressAt(i), table.sizeAt(i));
        logLine(line);
    }
    logLine("End of Memory leaks list\n");
}

void ReportMemoryLeaks() {
    reportMemoryLeaks(processAllocations());
}

}  // namespace shell
