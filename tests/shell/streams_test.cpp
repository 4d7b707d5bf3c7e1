#include "shell/streams.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_handle.h"
#include "support/temp_dir.h"

using namespace platform;
using testsupport::Bytes;
using testsupport::TempDir;

namespace {

std::unique_ptr<TIOFile> openRead(const std::string& path) {
    return std::make_unique<TIOFile>(path.c_str(), kGenericRead, kOpenExisting);
}

std::unique_ptr<TIOFile> openWrite(const std::string& path) {
    return std::make_unique<TIOFile>(path.c_str(), kGenericWrite, kCreateAlways);
}

TEST(Streams, MissingFileIsNotOpenAndReadsNothing) {
    TempDir dir;
    auto file = openRead(dir.path("absent.bin"));
    char buffer[4];
    EXPECT_FALSE(file->IsOpen());
    EXPECT_EQ(file->Read(buffer, 4), 0);
    EXPECT_EQ(file->Write(buffer, 4), 0);
    EXPECT_EQ(file->Seek(2, 0), 0);
    EXPECT_EQ(file->Position(), 0);
    EXPECT_EQ(file->Size(), 0);
}

TEST(Streams, CapabilitiesFollowTheAccessMaskAndWritesNeedWriteAccess) {
    TempDir dir;
    dir.write("f.bin", std::string("data"));
    EXPECT_EQ(openWrite(dir.path("g.bin"))->Capabilities(), 23u);
    EXPECT_EQ(TIOFile(dir.path("f.bin").c_str(), kGenericRead | kGenericWrite, kOpenExisting).Capabilities(),
              31u);
    {
        auto readOnly = openRead(dir.path("f.bin"));
        EXPECT_EQ(readOnly->Capabilities(), 15u);
        EXPECT_EQ(readOnly->Write("zz", 2), 0);
        EXPECT_EQ(readOnly->Position(), 0);
    }
    EXPECT_EQ(dir.read("f.bin"), (Bytes{'d', 'a', 't', 'a'}));
}

TEST(Streams, SeekFromEachOriginAndEndOfFile) {
    TempDir dir;
    dir.write("ten.bin", Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    auto file = openRead(dir.path("ten.bin"));
    char byte = 0;
    EXPECT_EQ(file->Size(), 10);
    EXPECT_EQ(file->Seek(0, 2), 10);
    EXPECT_EQ(file->Position(), 10);
    EXPECT_EQ(file->Read(&byte, 1), 0);
    EXPECT_EQ(file->Seek(-3, 2), 7);
    EXPECT_EQ(file->Read(&byte, 1), 1);
    EXPECT_EQ(byte, 7);
    EXPECT_EQ(file->Seek(-6, 1), 2);
    EXPECT_EQ(file->Read(&byte, 1), 1);
    EXPECT_EQ(byte, 2);
    EXPECT_EQ(file->Seek(4, 0), 4);
    EXPECT_EQ(file->Seek(1, 3), 0) << "an unknown origin does not move";
    EXPECT_EQ(file->Position(), 4);
    EXPECT_EQ(file->Seek(-1, 0), 0) << "before the start is refused";
    EXPECT_EQ(file->Seek(INT64_MAX, 1), 0) << "past the largest position is refused";
    EXPECT_EQ(file->Read(&byte, 1), 1);
    EXPECT_EQ(byte, 4);
}

TEST(Streams, BufferedReadsAndWritesKeepPositionsExact) {
    TempDir dir;
    {
        auto out = openWrite(dir.path("mix.bin"));
        std::vector<char> big(200000, 'b');
        EXPECT_EQ(out->Write("abc", 3), 3);
        EXPECT_EQ(out->Write(big.data(), 200000), 200000);  // larger than the buffer
        EXPECT_EQ(out->Write("xyz", 3), 3);
        EXPECT_EQ(out->Position(), 200006);
        EXPECT_EQ(out->Size(), 200006);
        EXPECT_TRUE(out->Flush());
    }
    auto in = openRead(dir.path("mix.bin"));
    char head[4] = {};
    EXPECT_EQ(in->Read(head, 3), 3);
    EXPECT_STREQ(head, "abc");
    EXPECT_EQ(in->Position(), 3);
    std::vector<char> middle(200000);
    EXPECT_EQ(in->Read(middle.data(), 200000), 200000);
    EXPECT_EQ(middle.back(), 'b');
    char tail[8] = {};
    EXPECT_EQ(in->Read(tail, 8), 3);
    EXPECT_STREQ(tail, "xyz");
    EXPECT_EQ(in->Position(), 200006);
}

TEST(Streams, WritingAfterReadingLandsAtTheReadPosition) {
    TempDir dir;
    dir.write("rw.bin", std::string("0123456789"));
    {
        TIOFile file(dir.path("rw.bin").c_str(), kGenericRead | kGenericWrite, kOpenExisting);
        char two[2];
        file.Read(two, 2);
        EXPECT_EQ(file.Write("AB", 2), 2);
        EXPECT_EQ(file.Position(), 4);
        file.Read(two, 2);
        EXPECT_EQ(std::string(two, 2), "45");
    }
    EXPECT_EQ(dir.read("rw.bin"), (Bytes{'0', '1', 'A', 'B', '4', '5', '6', '7', '8', '9'}));
}

// A stream that counts the chunk sizes asked of it.
class CountingSource : public TIOStream {
  public:
    explicit CountingSource(int64_t size) : left_(size) {}
    std::vector<int64_t> requests;
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
    int64_t Write(const void*, int64_t count) override {
        written += count;
        return count;
    }
    uint32_t Capabilities() override { return 0; }
    int64_t written = 0;

  private:
    int64_t left_;
};

TEST(Streams, CopyFromMovesChunksOf4096) {
    struct Case {
        int64_t available;
        int64_t count;
        int64_t copied;
        std::vector<int64_t> requests;
    } cases[] = {
        {10000, 0, 0, {}},
        {10000, 4097, 4097, {4096, 1}},
        {5000, -1, 5000, {4096, 4096, 4096}},
        {0, -1, 0, {4096}},
        {10000, -5, 0, {}},
    };
    for (const Case& c : cases) {
        CountingSource source(c.available);
        CountingSource sink(0);
        EXPECT_EQ(sink.CopyFrom(&source, c.count), c.copied) << c.count;
        EXPECT_EQ(sink.written, c.copied);
        EXPECT_EQ(source.requests, c.requests) << c.count;
    }
}

}  // namespace
