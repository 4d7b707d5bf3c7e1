#pragma once
// The allocation table behind the program's operator new and delete: every live block, the bytes
// in use, and the leak report written at the end of the run.
#include <cstddef>
#include <cstdint>

namespace shell {

class AllocationTable {
  public:
    static constexpr int32_t kFirstCapacity = 128;

    // Constant-initialisable, so the process-wide table works before any constructor has run.
    constexpr AllocationTable() = default;
    ~AllocationTable() = default;
    AllocationTable(const AllocationTable&) = delete;
    AllocationTable& operator=(const AllocationTable&) = delete;

    // False when the table could not grow; nothing is registered then.
    bool add(void* address, uint64_t size);
    // Unregisters the address, moving the last entry into its slot. False for an unknown address.
    bool remove(void* address, uint64_t* size);
    bool contains(const void* address) const { return find(address) >= 0; }

    int32_t count() const { return count_; }
    int32_t capacity() const { return capacity_; }
    int64_t total() const { return total_; }
    void* addressAt(int32_t index) const { return addresses_[index]; }
    uint64_t sizeAt(int32_t index) const { return sizes_[index]; }

    // Releases the table's own arrays (only for tables that are not the process-wide one).
    void releaseArrays();

  private:
    bool grow();
    bool rebuildIndex(uint32_t buckets);
    int32_t find(const void* address) const;
    uint32_t bucketOf(const void* address) const;
    void eraseBucket(uint32_t bucket);

    int32_t count_ = 0;
    int32_t capacity_ = 0;
    void** addresses_ = nullptr;
    uint64_t* sizes_ = nullptr;
    int64_t total_ = 0;
    // Open addressing from address to slot + 1 (0 is empty), at most half full.
    uint32_t* index_ = nullptr;
    uint32_t indexMask_ = 0;
};

// The table of the program's operator new and delete.
AllocationTable& processAllocations();

// Writes the leak report of a table to the debugger output and to "debug.log".
void reportMemoryLeaks(const AllocationTable& table);
void ReportMemoryLeaks();

// Formats one report line; exposed for tests. Returns the length written.
int formatLeakHeader(char* buffer, size_t size, int32_t count, int64_t total);
int formatLeakBlock(char* buffer, size_t size, const void* address, uint64_t length);

}  // namespace shell
