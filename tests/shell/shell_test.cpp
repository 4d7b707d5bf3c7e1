// The shell: streams over files and memory, helpers for texts and numbers, the folder of the template
// library, and the tracker of every block the program allocates.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fieldtypes/field_harness.h"  // BytesStream
#include "platform/file_handle.h"
#include "platform/file_identity.h"
#include "platform/folders.h"
#include "shell/library_home.h"
#include "shell/memory_tracker.h"
#include "shell/number_text.h"
#include "shell/streams.h"
#include "shell/strings.h"
#include "shell/ui_strings.h"
#include "support/debug_capture.h"
#include "support/temp_dir.h"

using namespace platform;
using shell::AllocationTable;
using testsupport::Bytes;

namespace {

struct Streams : testing::Test {
    testsupport::TempDir dir;
    std::unique_ptr<TIOFile> open(const char* name, uint32_t access = kGenericRead,
                                  uint32_t how = kOpenExisting) {
        return std::make_unique<TIOFile>(dir.path(name).c_str(), access, how);
    }
};

TEST_F(Streams, MissingFileIsNotOpenAndReadsNothing) {
    auto file = open("absent.bin");
    char buffer[4];
    EXPECT_FALSE(file->IsOpen());
    EXPECT_TRUE(file->Read(buffer, 4) == 0 && file->Write(buffer, 4) == 0 && file->Seek(2, 0) == 0);
    EXPECT_TRUE(file->Position() == 0 && file->Size() == 0);
}

TEST_F(Streams, CapabilitiesFollowTheAccessMaskAndWritesNeedWriteAccess) {
    dir.write("f.bin", std::string("data"));
    EXPECT_EQ(open("g.bin", kGenericWrite, kCreateAlways)->Capabilities(), 23u);
    EXPECT_EQ(open("f.bin", kGenericRead | kGenericWrite)->Capabilities(), 31u);
    auto readOnly = open("f.bin");
    EXPECT_EQ(readOnly->Capabilities(), 15u);
    EXPECT_TRUE(readOnly->Write("zz", 2) == 0 && readOnly->Position() == 0);
    readOnly.reset();
    EXPECT_EQ(dir.read("f.bin"), (Bytes{'d', 'a', 't', 'a'}));
}

TEST_F(Streams, SeekFromEachOriginAndEndOfFile) {
    dir.write("ten.bin", Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    auto file = open("ten.bin");
    char byte = 0;
    EXPECT_EQ(file->Size(), 10);
    EXPECT_TRUE(file->Seek(0, 2) == 10 && file->Position() == 10 && file->Read(&byte, 1) == 0);
    // Each seek, then the byte read there: an unknown origin, before the start and past the largest
    // position are refused and do not move.
    const std::tuple<int64_t, int, int64_t, char> seeks[] = {
        {-3, 2, 7, 7}, {-6, 1, 2, 2}, {4, 0, 4, 4}, {1, 3, 0, 5}, {-1, 0, 0, 6}, {INT64_MAX, 1, 0, 7}};
    for (auto [offset, origin, result, then] : seeks) {
        EXPECT_EQ(file->Seek(offset, origin), result) << offset << " from " << origin;
        EXPECT_TRUE(file->Read(&byte, 1) == 1 && byte == then) << offset << " from " << origin;
    }
}

// A reader that looked ahead goes back within its buffer; a write then lands where it went back to.
TEST_F(Streams, SeekingBackIntoWhatWasReadAheadKeepsPositionsExact) {
    dir.write("back.bin", std::string("0123456789"));
    auto file = open("back.bin", kGenericRead | kGenericWrite);
    char bytes[6] = {};
    EXPECT_EQ(file->Read(bytes, 6), 6);
    EXPECT_TRUE(file->Seek(2, 0) == 2 && file->Position() == 2);
    EXPECT_TRUE(file->Read(bytes, 2) == 2 && std::string(bytes, 2) == "23" && file->Position() == 4);
    EXPECT_TRUE(file->Seek(10, 0) == 10 && file->Read(bytes, 1) == 0);
    EXPECT_TRUE(file->Seek(1, 0) == 1 && file->Write("X", 1) == 1 && file->Position() == 2);
    file.reset();
    EXPECT_EQ(dir.read("back.bin"), (Bytes{'0', 'X', '2', '3', '4', '5', '6', '7', '8', '9'}));
}

TEST_F(Streams, BufferedReadsAndWritesKeepPositionsExact) {
    std::vector<char> big(200000, 'b');
    auto out = open("mix.bin", kGenericWrite, kCreateAlways);
    EXPECT_EQ(out->Write("abc", 3), 3);
    EXPECT_EQ(out->Write(big.data(), 200000), 200000);  // larger than the buffer
    EXPECT_EQ(out->Write("xyz", 3), 3);
    EXPECT_TRUE(out->Position() == 200006 && out->Size() == 200006 && out->Flush());
    out.reset();
    auto in = open("mix.bin");
    char head[4] = {}, tail[8] = {};
    EXPECT_TRUE(in->Read(head, 3) == 3 && std::string(head) == "abc" && in->Position() == 3);
    EXPECT_EQ(in->Read(big.data(), 200000), 200000);
    EXPECT_EQ(big.back(), 'b');
    EXPECT_TRUE(in->Read(tail, 8) == 3 && std::string(tail) == "xyz" && in->Position() == 200006);
}

TEST_F(Streams, WritingAfterReadingLandsAtTheReadPosition) {
    dir.write("rw.bin", std::string("0123456789"));
    auto file = open("rw.bin", kGenericRead | kGenericWrite);
    char two[2];
    file->Read(two, 2);
    EXPECT_TRUE(file->Write("AB", 2) == 2 && file->Position() == 4);
    file->Read(two, 2);
    EXPECT_EQ(std::string(two, 2), "45");
    file.reset();
    EXPECT_EQ(dir.read("rw.bin"), (Bytes{'0', '1', 'A', 'B', '4', '5', '6', '7', '8', '9'}));
}

// A stream over memory that records the chunk sizes asked of it.
struct CountingSource : BytesStream {
    using BytesStream::BytesStream;
    std::vector<int64_t> requests;
    int64_t Read(void* buffer, int64_t count) override {
        requests.push_back(count);
        return BytesStream::Read(buffer, count);
    }
};

TEST(CopyFrom, MovesChunksOf4096) {
    const std::tuple<size_t, int64_t, size_t, std::vector<int64_t>> cases[] = {
        {10000, 0, 0, {}},
        {10000, 4097, 4097, {4096, 1}},
        {5000, -1, 5000, {4096, 4096, 4096}},
        {0, -1, 0, {4096}},
        {10000, -5, 0, {}},
    };
    for (const auto& [available, count, copied, requests] : cases) {
        CountingSource source{Bytes(available)};
        BytesStream sink;
        EXPECT_EQ(sink.CopyFrom(&source, count), static_cast<int64_t>(copied)) << count;
        EXPECT_EQ(sink.bytes().size(), copied) << count;
        EXPECT_EQ(source.requests, requests) << count;
    }
}

using Owned = std::unique_ptr<char[]>;

TEST(Strings, FileNameOfPathTakesWhatFollowsTheLastBackslash) {
    const std::pair<const char*, const char*> cases[] = {
        {"D:\\data\\file.bin", "file.bin"},
        {"file.bin", "file.bin"},
        {"D:\\data\\", ""},
        {"dir/unix/style", "dir/unix/style"},  // only the backslash separates
        {"", ""}};
    for (const auto& c : cases) EXPECT_STREQ(Owned(FileNameOfPath(c.first)).get(), c.second) << c.first;
}

TEST(Strings, FilterFromTextTurnsBarsIntoZeroBytes) {
    Owned filter(FilterFromText("*.*||"));
    EXPECT_EQ(std::memcmp(filter.get(), "*.*\0\0", 6), 0);
}

TEST(LibraryHome, IsTheWorkingDirectoryWhenItHasALibraryElseTheProgramsFolder) {
    testsupport::TempDir dir;
    dir.makeDir("program\\TMPL");
    dir.makeDir("work");
    const std::string work = dir.path("work"), program = dir.path("program");
    dir.write("work\\TMPL", std::string());  // a file, not a library
    EXPECT_EQ(libraryHome(work, program), program);
    EXPECT_EQ(libraryHome(work, ""), work) << "without a program's folder";
    std::filesystem::remove(dir.native("work\\TMPL"));
    dir.makeDir("work\\TMPL");
    EXPECT_EQ(libraryHome(work, program), work);
}

TEST(ProgramFolder, HoldsTheRunningProgram) {
#ifdef _WIN32
    const char* const kProgram = "\\shell_tests.exe";
#else
    const char* const kProgram = "\\shell_tests";
#endif
    FileIdentity found;
    EXPECT_TRUE(fileIdentity((programFolder() + kProgram).c_str(), &found)) << programFolder();
}

struct UIStringTable : testing::Test {
    void SetUp() override { BuildUIStrings(); }
    void TearDown() override { FreeUIStrings(); }
};

// The title and prompt of the value dialog are the same text in separate copies.
TEST_F(UIStringTable, HoldsSeparateCopies) {
    EXPECT_STREQ(UIStrings[usEnterValueTitle], UIStrings[usEnterValuePrompt]);
    UIStrings[usEnterValueTitle][0] = 'X';
    EXPECT_STREQ(UIStrings[usEnterValuePrompt], "Enter value:");
}

// Offsets beyond 63 bits, even beyond 64, stand past the end of any document rather than wrapping.
TEST(NumberText, OffsetsAreDecimalOrHexadecimalWithoutSign) {
    const std::pair<const char*, int64_t> valid[] = {{"26", 26},
                                                     {" $1A ", 26},
                                                     {"0x1a", 26},
                                                     {"0X7FFFFFFFFFFFFFFF", INT64_MAX},
                                                     {"0x8000000000000000", INT64_MAX},
                                                     {"$1ffffffffffffffff", INT64_MAX},
                                                     {"$10000000000000000", INT64_MAX},
                                                     {"18446744073709551616", INT64_MAX},
                                                     {"99999999999999999999999", INT64_MAX}};
    for (const auto& c : valid) {
        int64_t offset = -7;
        EXPECT_TRUE(parseOffsetText(c.first, &offset)) << c.first;
        EXPECT_EQ(offset, c.second) << c.first;
    }
    for (const char* text : {"-1", "+1", "$", "1A", "", "2 3", "99999999999999999999x"}) {
        int64_t offset = -7;
        EXPECT_FALSE(parseOffsetText(text, &offset)) << text;
        EXPECT_EQ(offset, -7) << text;
    }
}

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
    const std::tuple<const void*, uint64_t, std::string> blocks[] = {
        {seven, 7, ", len 00007; contents: \"abcdefg\"\n"},
        {big.data(), 300, "len 00300; contents: \"" + std::string(100, 'x') + "\"\n"},  // 100 bytes at most
        {zeroFirst, 4, "contents: \"\"\n"},
        {zeroFirst, 0, "len 00000;"},
        // The address whole and in lower case.
        {reinterpret_cast<void*>(static_cast<uintptr_t>(0x7ffe12abcdefull)), 0, "\tBlock: 7ffe12abcdef,"},
        {reinterpret_cast<void*>(static_cast<uintptr_t>(0xabc)), 0, "\tBlock: 00000abc,"},
    };
    for (const auto& [address, length, part] : blocks) {
        shell::formatLeakBlock(line, sizeof line, address, length);
        EXPECT_EQ(std::string(line).rfind("\tBlock: ", 0), 0u) << line;
        EXPECT_NE(std::string(line).find(part), std::string::npos) << line;
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
