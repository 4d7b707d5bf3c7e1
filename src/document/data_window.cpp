#include "document/data_window.h"

#include <cstring>

int64_t DataWindow::Seek(int64_t offset, int origin) {
    int64_t base = origin == 2 ? end_ : origin == 1 ? at_ : 0;
    if ((offset > 0 && base > INT64_MAX - offset) || (offset < 0 && base < INT64_MIN - offset)) return 0;
    int64_t target = base + offset;
    if (target < 0 || target > end_) return 0;
    int64_t moved = file_->Seek(target, 0);
    if (moved == target) at_ = target;
    return moved;
}

int64_t DataWindow::Read(void* buffer, int64_t count) {
    int64_t wanted = count;
    int64_t available = left();
    if (count > available) count = available;
    int64_t got = count > 0 ? file_->Read(buffer, count) : 0;
    if (got < wanted) shortRead_ = true;
    if (got <= 0) return 0;
    at_ += got;
    if (!nonZeroSeen_ && got > 0) {
        const unsigned char* bytes = static_cast<const unsigned char*>(buffer);
        for (int64_t i = 0; i < got && !nonZeroSeen_; ++i) nonZeroSeen_ = bytes[i] != 0;
    }
    return got;
}

uint32_t DataWindow::Capabilities() {
    return file_->Capabilities();
}
