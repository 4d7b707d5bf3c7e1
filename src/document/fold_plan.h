#pragma once
// What folding a list's items needs to know of them: how each row's bytes are told from the file,
// and where every so many items began, so that an item is found without counting from the first.
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "fieldtypes/byte_shape.h"

class TIOStream;
struct Document;

struct FoldPlan {
    int32_t refs = 1;               // the folds that share it
    std::vector<ByteShape> shapes;  // of the item's rows in order
    int64_t itemBytes = -1;         // when every item takes as many bytes; else -1
    // The offset in the file binding read of item markFirst + k * kMarkEvery, for lists whose items differ.
    std::vector<int64_t> marks;
    int64_t markFirst = 0;
};

constexpr int64_t kMarkEvery = 1024;

// The plan for the items of a list whose rows from listRow + 1 up to endRow are all fields whose
// bytes can be told; null for other lists, or without memory.
FoldPlan* makeFoldPlan(Document* document, int32_t listRow, int32_t endRow);
void releaseFoldPlan(FoldPlan* plan);

// Reads a stream forward in large blocks, seeking only when a read falls outside the block.
class SkimReader {
  public:
    explicit SkimReader(TIOStream* stream) : stream_(stream), block_(new (std::nothrow) unsigned char[kBlock]) {}
    bool ready() const { return block_ != nullptr; }
    // count (at most 8) bytes at offset; false when they are not all there.
    bool read(int64_t offset, int count, unsigned char* bytes);

  private:
    static constexpr int64_t kBlock = 64 * 1024;
    TIOStream* stream_;
    int64_t start_ = 0;
    int64_t length_ = 0;
    std::unique_ptr<unsigned char[]> block_;
};

// The end of the item that begins at `at`, when it ends by `end`; -1 when it does not.
int64_t skimItem(const FoldPlan& plan, SkimReader& reader, int64_t at, int64_t end);
