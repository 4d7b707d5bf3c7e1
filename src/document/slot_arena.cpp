#include "document/slot_arena.h"

#include <new>

SlotArena::~SlotArena() {
    while (newest_) {
        Block* previous = newest_->previous;
        delete[] reinterpret_cast<char*>(newest_);
        newest_ = previous;
    }
}

bool SlotArena::addBlock() {
    char* bytes = new (std::nothrow) char[sizeof(Block) + nextBlockSlots_ * slotSize_];
    if (!bytes) return false;
    Block* block = reinterpret_cast<Block*>(bytes);
    block->previous = newest_;
    newest_ = block;
    next_ = bytes + sizeof(Block);
    end_ = next_ + nextBlockSlots_ * slotSize_;
    if (nextBlockSlots_ < kLargestBlockSlots) nextBlockSlots_ *= 2;
    return true;
}
