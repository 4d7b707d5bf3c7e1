#include "shell/memory_tracker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/debug_output.h"

using shell::AllocationTable;

namespace {

struct TableTest : testing::Test {
    AllocationTable table;
    ~TableTest() override { table.releaseArrays(); }
    void* fake(uintptr_t n) { return reinterpret_cast<void*>(0x10000 + n * 16); }
};

TEST_F(TableTest, FirstRegistrationGives128SlotsAndThe129thDoubles) {
    EXPECT_EQ(table.capacity(), 0);
    ASSERT_TRUE(table.add(fake(0), 1));
    EXPECT_EQ(table.capacity(), 128);
    for (uintptr_t i = 1; i < 128; ++i) ASSERT_TRUE(table.add(fake(i), 1));
    EXPECT_EQ(table.capacity(), 128);
    ASSERT_TRUE(table.add(fake(128), 1));
    EXPECT_EQ(table.capacity(), 256);
    for (uintptr_t i = 129; i < 257; ++i) ASSERT_TRUE(table.add(fake(i), 1));
    EXPECT_EQ(table.capacity(), 512);
}

TEST_F(TableTest, RemovalMovesTheLastEntryIntoTheHole) {
    table.add(fake(1), 10);
    table.add(fake(2), 20);
    table.add(fake(3), 30);
    uint64_t size = 0;
    ASSERT_TRUE(table.remove(fake(1), &size));
    EXPECT_EQ(size, 10u);
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.addressAt(0), fake(3));
    EXPECT_EQ(table.addressAt(1), fake(2));
    EXPECT_EQ(table.total(), 50);
}

TEST_F(TableTest, UnknownAndRepeatedRemovalsAreRefusedAndChangeNothing) {
    uint64_t size = 0;
    EXPECT_FALSE(table.remove(fake(7), &size));
    table.add(fake(7), 5);
    EXPECT_TRUE(table.remove(fake(7), &size));
    EXPECT_FALSE(table.remove(fake(7), &size));
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.total(), 0);
}

TEST_F(TableTest, SizesOfFourGibibytesAndMoreAreCountedWhole) {
    table.add(fake(1), 5ull << 30);
    table.add(fake(2), 3);
    EXPECT_EQ(table.total(), (5ll << 30) + 3);
    EXPECT_EQ(table.sizeAt(0), 5ull << 30);
}

// Many live blocks released in scattered order: the index must find every one and keep the rest.
TEST_F(TableTest, IndexStaysConsistentThroughScatteredRemovals) {
    const uintptr_t n = 5000;
    for (uintptr_t i = 0; i < n; ++i) ASSERT_TRUE(table.add(fake(i * 7919 % 100003), i));
    uint64_t size;
    for (uintptr_t i = 0; i < n; i += 3) ASSERT_TRUE(table.remove(fake(i * 7919 % 100003), &size));
    for (uintptr_t i = 0; i < n; ++i) {
        EXPECT_EQ(table.contains(fake(i * 7919 % 100003)), i % 3 != 0) << i;
    }
    for (int32_t slot = 0; slot < table.count(); ++slot) {
        EXPECT_TRUE(table.contains(table.addressAt(slot)));
    }
}

std::string formatBlock(const void* address, uint64_t length) {
    char line[1000];
    shell::formatLeakBlock(line, sizeof line, address, length);
    return line;
}

TEST(LeakReportFormat, HeaderAndBlockLines) {
    char line[1000];
    shell::formatLeakHeader(line, sizeof line, 0, 0);
    EXPECT_STREQ(line, "Memory leaks: 0 (0 bytes)\n");
    shell::formatLeakHeader(line, sizeof line, 3, 6ll << 30);
    EXPECT_STREQ(line, "Memory leaks: 3 (6442450944 bytes)\n");

    const char seven[8] = "abcdefg";
    std::string text = formatBlock(seven, 7);
    EXPECT_NE(text.find(", len 00007; contents: \"abcdefg\"\n"), std::string::npos) << text;
    EXPECT_EQ(text.rfind("\tBlock: ", 0), 0u);

    std::vector<char> big(300, 'x');
    text = formatBlock(big.data(), 300);
    EXPECT_NE(text.find("len 00300; contents: \"" + std::string(100, 'x') + "\"\n"), std::string::npos);

    const char zeroFirst[4] = {0, 'a', 'b', 'c'};
    EXPECT_NE(formatBlock(zeroFirst, 4).find("contents: \"\"\n"), std::string::npos);
    EXPECT_NE(formatBlock(zeroFirst, 0).find("len 00000;"), std::string::npos);
}

TEST(LeakReportFormat, AddressIsWholeAndLowerCase) {
    void* address = reinterpret_cast<void*>(static_cast<uintptr_t>(0x7ffe12abcdefull));
    char line[1000];
    shell::formatLeakBlock(line, sizeof line, address, 0);
    EXPECT_EQ(std::string(line).substr(0, 21), "\tBlock: 7ffe12abcdef,");
    address = reinterpret_cast<void*>(static_cast<uintptr_t>(0xabc));
    shell::formatLeakBlock(line, sizeof line, address, 0);
    EXPECT_EQ(std::string(line).substr(0, 17), "\tBlock: 00000abc,");
}

// The program's own operator new and delete, through the process-wide table.
std::string captured;

// Hides where a pointer or size came from, so the compiler lets the test do what it must not.
template <typename T>
T opaque(T value) {
    volatile T hidden = value;
    return hidden;
}
void capture(const char* text) {
    captured += text;
}

TEST(ProcessAllocations, NewRegistersAndDeleteUnregisters) {
    auto& table = shell::processAllocations();
    int32_t before = table.count();
    int64_t bytes = table.total();
    char* block = new char[300];
    EXPECT_EQ(table.count(), before + 1);
    EXPECT_EQ(table.total(), bytes + 300);
    EXPECT_TRUE(table.contains(block));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 16, 0u);
    delete[] block;
    EXPECT_EQ(table.count(), before);
    EXPECT_EQ(table.total(), bytes);
    char* empty = new char[0];
    EXPECT_TRUE(table.contains(empty));
    delete[] empty;
}

TEST(ProcessAllocations, ReleasingAnUnknownAddressIsReportedAndNotFreed) {
    captured.clear();
    auto old = platform::setDebugOutputSink(capture);
    int32_t before = shell::processAllocations().count();
    alignas(16) static char notFromNew[64];
    ::operator delete(opaque<void*>(notFromNew + 16));
    int* twice = new int(5);
    ::operator delete(opaque<void*>(twice));
    ::operator delete(opaque<void*>(twice));  // a second release must not reach the heap again
    platform::setDebugOutputSink(old);
    std::string seen;
    seen.swap(captured);
    EXPECT_EQ(shell::processAllocations().count(), before + (seen.capacity() > 15 ? 1 : 0));
    EXPECT_EQ(seen,
              "\tRequested deletion of non-allocated space!\n\tRequested deletion of non-allocated space!\n");
    ::operator delete(nullptr);
}

TEST(ProcessAllocations, ThrowingNewNeverReturnsNullAndNothrowNewDoes) {
    EXPECT_THROW((void)::operator new(opaque<size_t>(SIZE_MAX - 8)), std::bad_alloc);
    EXPECT_EQ(::operator new(opaque<size_t>(SIZE_MAX - 8), std::nothrow), nullptr);
}

}  // namespace
