#pragma once
// What folding a list's items needs to know of them: how each row's bytes are told from the file,
// and where every so many items began, so that an item is found without counting from the first.
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "fieldtypes/byte_order.h"
#include "fieldtypes/byte_shape.h"

class TIOStream;
struct Document;

// Bytes to pass over, then a length prefix to read and as many bytes as it says.
struct SkimStep {
    int64_t skip;
    int32_t prefix;
    bool bigEndian;
};

struct FoldPlan {
    int32_t refs = 1;              // the folds that share it
    std::vector<SkimStep> steps;   // the item's rows, fixed widths run together
    int64_t tail = 0;              // bytes after the last prefixed row
    int64_t itemBytes = -1;        // when every item takes as many bytes; else -1
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
    explicit SkimReader(TIOStream* stream) : stream_(stream) {}
    // count (at most 8) bytes at offset, valid until the next call; null when they are not all there.
    const unsigned char* at(int64_t offset, int count) {
        if (offset >= start_ && offset + count <= start_ + length_) return block_.get() + (offset - start_);
        return refill(offset, count);
    }

  private:
    const unsigned char* refill(int64_t offset, int count);

    static constexpr int64_t kFirstBlock = 4096;
    static constexpr int64_t kBlock = 256 * 1024;
    TIOStream* stream_;
    int64_t start_ = 0;
    int64_t length_ = 0;
    int64_t capacity_ = 0;
    std::unique_ptr<unsigned char[]> block_;
};

// The end of the item that begins at `at`, when it ends by `end`; -1 when it does not.
inline int64_t skimItem(const FoldPlan& plan, SkimReader& reader, int64_t at, int64_t end) {
    if (plan.itemBytes >= 0) return end - at >= plan.itemBytes ? at + plan.itemBytes : -1;
    for (const SkimStep& step : plan.steps) {
        if (end - at < step.skip + step.prefix) return -1;
        at += step.skip;
        const unsigned char* prefix = reader.at(at, step.prefix);
        if (!prefix) return -1;
        uint64_t length = step.prefix == 1 ? prefix[0] : byteorder::fromBytes(prefix, step.prefix, step.bigEndian);
        at += step.prefix;
        if (length > static_cast<uint64_t>(end - at)) return -1;
        at += static_cast<int64_t>(length);
    }
    return end - at >= plan.tail ? at + plan.tail : -1;
}
