#include "shell/memory_tracker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/debug_capture.h"

using shell::AllocationTable;

namespace {

struct TableTest : testing::Test {
    AllocationTable table;
    ~TableTest() override { table.releaseArrays(); }
    void* fake(uintptr_t n) { return reinterpret_cast<void*>(0x10000 + n * 16); }
};

TEST_F(TableTest, FirstRegistrationGives128SlotsAndThe129thDoubles) {
    EXPECT_EQ(table.capacity(), 0);
    for (uintptr_t i = 0; i < 257; ++i) {
        ASSERT_TRUE(table.add(fake(i), 1));
        EXPECT_EQ(table.capacity(), i < 128 ? 128 : i < 256 ? 256 : 512) << i;
    }
}

// Removal moves the last entry into the hole; unknown and repeated removals change nothing; sizes of
// 4 GiB and more are counted whole.
TEST_F(TableTest, RemovalFillsTheHoleWithTheLastEntryAndRefusesUnknownAddresses) {
    uint64_t size = 0;
    EXPECT_FALSE(table.remove(fake(7), &size));
    table.add(fake(1), 10);
    table.add(fake(2), 5ull << 30);
    table.add(fake(3), 30);
    ASSERT_TRUE(table.remove(fake(1), &size));
    EXPECT_EQ(size, 10u);
    EXPECT_FALSE(table.remove(fake(1), &size));
    ASSERT_EQ(table.count(), 2);
    EXPECT_TRUE(table.addressAt(0) == fake(3) && table.addressAt(1) == fake(2));
    EXPECT_EQ(table.sizeAt(1), 5ull << 30);
    EXPECT_EQ(table.total(), (5ll << 30) + 30);
    ASSERT_TRUE(table.remove(fake(2), &size) && table.remove(fake(3), &size));
    EXPECT_TRUE(table.count() == 0 && table.total() == 0);
}

// Many live blocks released in scattered order: the index must find every one and keep the rest.
TEST_F(TableTest, IndexStaysConsistentThroughScatteredRemovals) {
    const uintptr_t n = 5000;
    for (uintptr_t i = 0; i < n; ++i) ASSERT_TRUE(table.add(fake(i * 7919 % 100003), i));
    uint64_t size;
    for (uintptr_t i = 0; i < n; i += 3) ASSERT_TRUE(table.remove(fake(i * 7919 % 100003), &size));
    for (uintptr_t i = 0; i < n; ++i) EXPECT_EQ(table.contains(fake(i * 7919 % 100003)), i % 3 != 0) << i;
    for (int32_t slot = 0; slot < table.count(); ++slot) EXPECT_TRUE(table.contains(table.addressAt(slot)));
}

TEST(LeakReportFormat, HeaderAndBlockLines) {
    char line[1000];
    shell::formatLeakHeader(line, sizeof line, 0, 0);
    EXPECT_STREQ(line, "Memory leaks: 0 (0 bytes)\n");
    shell::formatLeakHeader(line, sizeof line, 3, 6ll << 30);
    EXPECT_STREQ(line, "Memory leaks: 3 (6442450944 bytes)\n");
    const char seven[8] = "abcdefg";
    const std::vector<char> big(300, 'x');
    const char zeroFirst[4] = {0, 'a', 'b', 'c'};
    const struct {
        const void* address;
        uint64_t length;
        std::string part;
    } blocks[] = {
        {seven, 7, ", len 00007; contents: \"abcdefg\"\n"},
        {big.data(), 300, "len 00300; contents: \"" + std::string(100, 'x') + "\"\n"},  // 100 bytes at most
        {zeroFirst, 4, "contents: \"\"\n"},
        {zeroFirst, 0, "len 00000;"},
        // The address whole and in lower case.
        {reinterpret_cast<void*>(static_cast<uintptr_t>(0x7ffe12abcdefull)), 0, "\tBlock: 7ffe12abcdef,"},
        {reinterpret_cast<void*>(static_cast<uintptr_t>(0xabc)), 0, "\tBlock: 00000abc,"},
    };
    for (const auto& b : blocks) {
        shell::formatLeakBlock(line, sizeof line, b.address, b.length);
        EXPECT_EQ(std::string(line).rfind("\tBlock: ", 0), 0u) << line;
        EXPECT_NE(std::string(line).find(b.part), std::string::npos) << line;
    }
}

// The program's own operator new and delete, through the process-wide table. opaque() hides where a pointer
// or size came from, so the compiler lets the test do what it must not.
template <typename T>
T opaque(T value) {
    volatile T hidden = value;
    return hidden;
}

TEST(ProcessAllocations, NewRegistersAndDeleteUnregisters) {
    auto& table = shell::processAllocations();
    int32_t before = table.count();
    int64_t bytes = table.total();
    char* block = new char[300];
    EXPECT_TRUE(table.count() == before + 1 && table.total() == bytes + 300 && table.contains(block));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 16, 0u);
    delete[] block;
    EXPECT_TRUE(table.count() == before && table.total() == bytes);
    char* empty = new char[0];
    EXPECT_TRUE(table.contains(empty));
    delete[] empty;
    struct alignas(256) Wide {
        char bytes[256];
    };
    Wide* wide = new Wide;  // over-aligned: the header stays in front of the aligned bytes
    EXPECT_EQ(reinterpret_cast<uintptr_t>(wide) % 256, 0u);
    EXPECT_EQ(table.total(), bytes + 256);
    delete wide;
    EXPECT_EQ(table.count(), before);
}

TEST(ProcessAllocations, ReleasingAnUnknownAddressIsReportedAndNotFreed) {
    testsupport::DebugCapture output;
    int32_t before = shell::processAllocations().count();
    alignas(16) static char notFromNew[64];
    ::operator delete(opaque<void*>(notFromNew + 16));
    int* twice = new int(5);
    ::operator delete(opaque<void*>(twice));
    ::operator delete(opaque<void*>(twice));  // a second release must not reach the heap again
    EXPECT_EQ(shell::processAllocations().count(), before + (output.text().capacity() > 15 ? 1 : 0));
    EXPECT_EQ(output.text(),
              "\tRequested deletion of non-allocated space!\n\tRequested deletion of non-allocated space!\n");
    ::operator delete(nullptr);
}

TEST(ProcessAllocations, ThrowingNewNeverReturnsNullAndNothrowNewDoes) {
    EXPECT_THROW((void)::operator new(opaque<size_t>(SIZE_MAX - 8)), std::bad_alloc);
    EXPECT_EQ(::operator new(opaque<size_t>(SIZE_MAX - 8), std::nothrow), nullptr);
}

}  // namespace
