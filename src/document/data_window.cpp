#include "document/data_window.h"

#include <cstring>

int64_t DataWindow::Seek(int64_t offset, int origin) {
    int64_t base = origin == 2 ? end_ : origin == 1 ? at_ : 0;
    if ((offset > 0 && base > INT64_MAX - offset) || (offset < 0 && base < INT64_MIN - offset)) return 0;
    int64_t target = base + offset;
    if (target < 0 || target > end_) return 0;
    at_ = target;
    return target;
}

int64_t DataWindow::Read(void* buffer, int64_t count) {
    int64_t wanted = count;
    int64_t available = left();
    if (count > available) count = available;
    if (count > 0 && fileAt_ != at_) fileAt_ = file_->Seek(at_, 0) == at_ ? at_ : -1;
    int64_t got = count > 0 && fileAt_ == at_ ? file_->Read(buffer, count) : 0;
    if (got < wanted) shortRead_ = true;
    if (got <= 0) return 0;
    if (at_ < firstNonZero_) {
        const unsigned char* bytes = static_cast<const unsigned char*>(buffer);
        for (int64_t i = 0; i < got && at_ + i < firstNonZero_; ++i) {
            if (bytes[i] != 0) firstNonZero_ = at_ + i;
        }
    }
    at_ += got;
    fileAt_ = at_;
    return got;
}

uint32_t DataWindow::Capabilities() {
    return file_->Capabilities();
}
