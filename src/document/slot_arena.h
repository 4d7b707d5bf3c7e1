#pragma once
// Fixed-size slots handed out from large blocks and given back all at once: a document's field
// instances and numbers, which live as long as the document, but for the rows of items shown for a
// while and folded again, whose slots are given back one by one for the next to take. One block per
// many slots saves the per-block costs of the heap and the memory tracker.
#include <cstddef>
#include <utility>

class SlotArena {
  public:
    explicit SlotArena(size_t slotSize) : slotSize_(slotSize) {}
    ~SlotArena();
    SlotArena(const SlotArena&) = delete;
    SlotArena& operator=(const SlotArena&) = delete;

    void swap(SlotArena& other) {
        std::swap(slotSize_, other.slotSize_);
        std::swap(nextBlockSlots_, other.nextBlockSlots_);
        std::swap(newest_, other.newest_);
        std::swap(next_, other.next_);
        std::swap(end_, other.end_);
        std::swap(released_, other.released_);
    }

    // Uninitialised storage for one slot, aligned for pointers and 64-bit numbers; null without memory.
    void* allocate() {
        if (released_) {
            Released* slot = released_;
            released_ = slot->next;
            return slot;
        }
        if (next_ == end_ && !addBlock()) return nullptr;
        void* slot = next_;
        next_ += slotSize_;
        return slot;
    }

    // A slot no longer used, for a later allocate to hand out again.
    void release(void* slot) {
        Released* released = static_cast<Released*>(slot);
        released->next = released_;
        released_ = released;
    }

  private:
    struct Released {
        Released* next;
    };

    // Blocks double from a few slots to a ceiling, so small documents stay small.
    static constexpr size_t kFirstBlockSlots = 32;
    static constexpr size_t kLargestBlockSlots = 16384;

    struct alignas(16) Block {
        Block* previous;
    };

    bool addBlock();

    size_t slotSize_;
    size_t nextBlockSlots_ = kFirstBlockSlots;
    Block* newest_ = nullptr;
    char* next_ = nullptr;
    char* end_ = nullptr;
    Released* released_ = nullptr;
};
