#include "document/data_window.h"

#include <cstring>

int64_t DataWindow::Seek(int64_t offset, int origin) {
    int64_t base = origin == 2 ? end_ : origin == 1 ? file_->Position() : 0;
    if ((offset > 0 && base > INT64_MAX - offset) || (offset < 0 && base < INT64_MIN - offset)) return 0;
    int64_t target = base + offset;
    if (target < 0 || target > end_) return 0;
    return file_->Seek(target, 0);
}

int64_t DataWindow::Read(void* buffer, int64_t count) {
    int64_t available = left();
    if (count > available) count = available;
    if (count <= 0) return 0;
    int64_t got = file_->Read(buffer, count);
    if (!nonZeroSeen_ && got > 0) {
        const unsigned char* bytes = static_cast<const unsigned char*>(buffer);
        for (int64_t i = 0; i < got && !nonZeroSeen_; ++i) nonZeroSeen_ = bytes[i] != 0;
    }
    return got;
}

uint32_t DataWindow::Capabilities() {
    return file_->Capabilities();
}
