#pragma once
// The growable pointer array every owner keeps as (count, capacity, items): appending to a full
// array makes room for `step` more pointers. Arrays never shrink; a pointer taken out leaves its
// room at the end.
#include <cstdint>
#include <cstring>
#include <new>

namespace shell {

template <typename T>
bool appendPointer(T**& items, int32_t& count, int32_t& capacity, int32_t step, T* item) {
    if (count >= capacity) {
        if (count > INT32_MAX - step) return false;
        int32_t grown = count + step;
        T** fresh = new (std::nothrow) T*[grown];
        if (!fresh) return false;
        if (count > 0) std::memcpy(fresh, items, sizeof(T*) * count);
        delete[] items;
        items = fresh;
        capacity = grown;
    }
    items[count++] = item;
    return true;
}

// The pointers after index move up to close the gap.
template <typename T>
void removePointerAt(T** items, int32_t& count, int32_t index) {
    std::memmove(items + index, items + index + 1, sizeof(T*) * (count - index - 1));
    --count;
}

}  // namespace shell
