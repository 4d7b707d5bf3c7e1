#include "document/zero_items.h"

#include "document/lists.h"
#include "document/row_kind.h"
#include "fieldtypes/registry.h"
#include "shell/streams.h"
#include "templates/template.h"

namespace {

// Takes bytes only to see whether any of them is not zero.
class ZeroCheck : public TIOStream {
  public:
    bool nonZero = false;
    int64_t Position() override { return written_; }
    int64_t Size() override { return written_; }
    int64_t Seek(int64_t, int) override { return 0; }
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void* buffer, int64_t count) override {
        const unsigned char* bytes = static_cast<const unsigned char*>(buffer);
        for (int64_t i = 0; i < count && !nonZero; ++i) nonZero = bytes[i] != 0;
        written_ += count > 0 ? count : 0;
        return count;
    }
    uint32_t Capabilities() override { return 0; }

  private:
    int64_t written_ = 0;
};

bool bytesAreZero(FieldInstance* instance, ZeroCheck& check) {
    RowKind kind = rowKindOf(instance->field->code);
    if (isNumberRole(kind.role) && instance->value) {
        uint64_t mask = kind.width >= 8 ? UINT64_MAX : (uint64_t{1} << (kind.width * 8)) - 1;
        return (static_cast<uint64_t>(*static_cast<int64_t*>(instance->value)) & mask) == 0;
    }
    const FieldType* type = instance->field->fieldType;
    if (!type || !instance->value || !type->procs.writeValue) return true;
    // A value that cannot be written out is taken as not zero: nothing can be told of it.
    if (type->procs.writeValue(instance, instance->value, &check, check.Position()) < 0) return false;
    return !check.nonZero;
}

}  // namespace

bool itemIsZero(FieldInstance* header) {
    ZeroCheck check;
    FieldInstance* last = itemEnd(header);
    for (FieldInstance* at = header; at != last;) {
        at = at->next;
        if (!bytesAreZero(at, check)) return false;
    }
    return true;
}

uint64_t zeroItemsAround(FieldInstance* instance) {
    uint64_t bits = 0;
    int bit = 0;
    for (FieldInstance* header = instance->parent; header && bit < 64; header = header->parent) {
        if (rowKindOf(header->field->code).list != 'B') continue;
        if (itemIsZero(header)) bits |= uint64_t{1} << bit;
        ++bit;
    }
    return bits;
}
