#pragma once
// A growable array of plain records used as a stack, so that nesting as deep as a template allows
// costs heap, not the call stack.
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

template <typename T>
class RecordStack {
    static_assert(std::is_trivially_copyable<T>::value, "plain records");

  public:
    RecordStack() = default;
    ~RecordStack() { delete[] items_; }
    RecordStack(const RecordStack&) = delete;
    RecordStack& operator=(const RecordStack&) = delete;

    // False without memory.
    bool push(const T& item) {
        if (count == capacity_) {
            int32_t capacity = capacity_ == 0 ? 16 : capacity_ * 2;
            T* grown = new (std::nothrow) T[capacity];
            if (!grown) return false;
            if (count > 0) std::memcpy(static_cast<void*>(grown), items_, sizeof(T) * count);
            delete[] items_;
            items_ = grown;
            capacity_ = capacity;
        }
        items_[count++] = item;
        return true;
    }
    T& top() { return items_[count - 1]; }
    T& operator[](int32_t index) { return items_[index]; }

    int32_t count = 0;

  private:
    T* items_ = nullptr;
    int32_t capacity_ = 0;
};
