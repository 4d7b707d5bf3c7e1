// The shell's streams over files and memory, and its helpers for texts and numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_handle.h"
#include "shell/number_text.h"
#include "shell/streams.h"
#include "shell/strings.h"
#include "shell/ui_strings.h"
#include "support/temp_dir.h"

using namespace platform;
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
    const struct {
        int64_t offset;
        int origin;
        int64_t result;
        char byte;
    } seeks[] = {{-3, 2, 7, 7}, {-6, 1, 2, 2}, {4, 0, 4, 4},
                 {1, 3, 0, 5},  {-1, 0, 0, 6}, {INT64_MAX, 1, 0, 7}};
    for (const auto& s : seeks) {
        EXPECT_EQ(file->Seek(s.offset, s.origin), s.result) << s.offset << " from " << s.origin;
        EXPECT_TRUE(file->Read(&byte, 1) == 1 && byte == s.byte) << s.offset << " from " << s.origin;
    }
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

// A stream that counts the chunk sizes asked of it.
class CountingSource : public TIOStream {
  public:
    explicit CountingSource(int64_t size) : left_(size) {}
    std::vector<int64_t> requests;
    int64_t written = 0;
    int64_t Position() override { return 0; }
    int64_t Size() override { return 0; }
    int64_t Seek(int64_t, int) override { return 0; }
    int64_t Read(void* buffer, int64_t count) override {
        requests.push_back(count);
        int64_t n = count < left_ ? count : left_;
        std::memset(buffer, 'q', static_cast<size_t>(n));
        left_ -= n;
        return n;
    }
    int64_t Write(const void*, int64_t count) override { return written += count, count; }
    uint32_t Capabilities() override { return 0; }

  private:
    int64_t left_;
};

TEST(CopyFrom, MovesChunksOf4096) {
    const struct {
        int64_t available, count, copied;
        std::vector<int64_t> requests;
    } cases[] = {
        {10000, 0, 0, {}},
        {10000, 4097, 4097, {4096, 1}},
        {5000, -1, 5000, {4096, 4096, 4096}},
        {0, -1, 0, {4096}},
        {10000, -5, 0, {}},
    };
    for (const auto& c : cases) {
        CountingSource source(c.available), sink(0);
        EXPECT_EQ(sink.CopyFrom(&source, c.count), c.copied) << c.count;
        EXPECT_EQ(sink.written, c.copied);
        EXPECT_EQ(source.requests, c.requests) << c.count;
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

struct UIStringTable : testing::Test {
    void SetUp() override { BuildUIStrings(); }
    void TearDown() override { FreeUIStrings(); }
};

// The title and prompt of the value dialog are separate copies; messages take their arguments.
TEST_F(UIStringTable, HoldsSeparateCopiesAndFormats) {
    EXPECT_STREQ(UIStrings[usEnterValueTitle], UIStrings[usEnterValuePrompt]);
    UIStrings[usEnterValueTitle][0] = 'X';
    EXPECT_STREQ(UIStrings[usEnterValuePrompt], "Enter value:");
    char text[2000];
    std::snprintf(text, sizeof text, UIStrings[usInvalidTemplateText], 3, "DWRD", "Size");
    EXPECT_STREQ(text,
                 "Cannot open document, because the selected template is invalid. \n\n"
                 "Error on row 3, field DWRD: \"Size\".");
    std::snprintf(text, sizeof text, UIStrings[usVersionLine], "1.0.0.148");
    EXPECT_STREQ(text, "Version: 1.0.0.148");
}

TEST(NumberText, OffsetsAreDecimalOrHexadecimalWithoutSign) {
    const std::pair<const char*, int64_t> valid[] = {
        {"26", 26}, {" $1A ", 26}, {"0x1a", 26}, {"0X7FFFFFFFFFFFFFFF", INT64_MAX}};
    for (const auto& c : valid) {
        int64_t offset = -7;
        EXPECT_TRUE(parseOffsetText(c.first, &offset)) << c.first;
        EXPECT_EQ(offset, c.second) << c.first;
    }
    for (const char* text : {"0x8000000000000000", "-1", "+1", "$", "1A", "", "2 3"}) {
        int64_t offset = -7;
        EXPECT_FALSE(parseOffsetText(text, &offset)) << text;
        EXPECT_EQ(offset, -7) << text;
    }
}

}  // namespace
