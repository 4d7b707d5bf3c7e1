#include "document/binding.h"

#include <cstring>
#include <new>

#include "document/instances.h"
#include "document/row_kind.h"
#include "fieldtypes/registry.h"
#include "platform/file_handle.h"
#include "shell/pointer_array.h"
#include "shell/streams.h"
#include "templates/template.h"

namespace {

constexpr int32_t kQueueStep = 32;

// One nesting level in progress. Its pending counts and sizes are the entries of the shared
// queues from its base on; entries before its head have been taken.
struct Level {
    FieldInstance* parent;
    int32_t countBase, countHead;
    int32_t sizeBase, sizeHead;
    // Only for the levels of list items:
    int32_t listRow, endRow;
    FieldInstance* firstHeader;
    FieldInstance* countInstance;
    int64_t item, items;
};

struct Queue {
    FieldInstance** entries = nullptr;
    int32_t count = 0;
    int32_t capacity = 0;
    ~Queue() { delete[] entries; }
    bool add(FieldInstance* instance) {
        return shell::appendPointer(entries, count, capacity, kQueueStep, instance);
    }
};

bool isListOpener(const FieldInstance* instance) {
    RowRole role = rowKindOf(instance->field->code).role;
    return role == RowRole::CountedList || role == RowRole::SizedList;
}

// The recursion of levels lives in an array of levels, so nesting as deep as the template allows
// costs heap, not stack.
class Binder {
  public:
    Binder(Document* document, TIOStream* stream) : document_(document), stream_(stream) {}
    ~Binder() { delete[] levels_; }
    Binder(const Binder&) = delete;
    Binder& operator=(const Binder&) = delete;

    int64_t run(int32_t& rowIndex, FieldInstance* parent);

  private:
    Level& top() { return levels_[levelCount_ - 1]; }
    bool pushLevel(FieldInstance* parent);
    int64_t stop(int64_t result, BindStop reason, int32_t row, int32_t& rowIndex);

    FieldInstance* append(TemplateField* field, FieldInstance* parent, FieldInstance* partner,
                          FieldInstance* listSource) {
        return appendInstance(document_, field, parent, partner, listSource, &failure_);
    }
    FieldInstance* appendWithNumber(TemplateField* field, FieldInstance* parent, FieldInstance* listSource,
                                    int64_t number);
    int64_t readNumber(const RowKind& kind);

    // Each returns the next row, or -1 after a failure (in failure_ and reason_).
    int32_t bindNumber(int32_t row, const RowKind& kind);
    int32_t bindCountedList(int32_t row);
    int32_t finishItem();
    int32_t bindSizedList(int32_t row);
    int32_t bindKey(int32_t row, const RowKind& kind);
    int32_t bindData(int32_t row);

    int32_t fail(int64_t result, BindStop reason) {
        failure_ = result;
        reason_ = reason;
        return -1;
    }

    Document* document_;
    TIOStream* stream_;
    Level* levels_ = nullptr;
    int32_t levelCount_ = 0;
    int32_t levelCapacity_ = 0;
    Queue counts_;
    Queue sizes_;
    int64_t failure_ = 0;
    BindStop reason_ = BindStop::None;
};

bool Binder::pushLevel(FieldInstance* parent) {
    if (levelCount_ == levelCapacity_) {
        int32_t capacity = levelCapacity_ == 0 ? 16 : levelCapacity_ * 2;
        Level* grown = new (std::nothrow) Level[capacity];
        if (!grown) return false;
        if (levelCount_ > 0) std::memcpy(grown, levels_, sizeof(Level) * levelCount_);
        delete[] levels_;
        levels_ = grown;
        levelCapacity_ = capacity;
    }
    levels_[levelCount_++] =
        Level{parent, counts_.count, counts_.count, sizes_.count, sizes_.count, 0, 0, nullptr, nullptr, 0, 0};
    return true;
}

int64_t Binder::stop(int64_t result, BindStop reason, int32_t row, int32_t& rowIndex) {
    if (result == kResultInstanceLimit) reason = BindStop::InstanceLimit;
    if (result == kResultNoMemory) reason = BindStop::OutOfMemory;
    document_->stopReason = reason;
    rowIndex = row;
    return result;
}

int64_t Binder::readNumber(const RowKind& kind) {
    unsigned char bytes[8] = {0};  // what the stream does not supply counts as zero
    if (stream_) stream_->Read(bytes, kind.width);
    return numberFromBytes(bytes, kind);
}

FieldInstance* Binder::appendWithNumber(TemplateField* field, FieldInstance* parent,
                                        FieldInstance* listSource, int64_t number) {
    // The number first: an instance without its number could not be saved.
    int64_t* value = newNumber(document_, number);
    if (!value) {
        failure_ = kResultNoMemory;
        return nullptr;
    }
    FieldInstance* instance = append(field, parent, nullptr, listSource);
    if (instance) instance->value = value;
    return instance;
}

int32_t Binder::bindNumber(int32_t row, const RowKind& kind) {
    int64_t number = readNumber(kind);
    FieldInstance* instance = appendWithNumber(document_->templ->fields[row], top().parent, nullptr, number);
    if (!instance) return -1;
    Queue& queue = kind.role == RowRole::Count ? counts_ : sizes_;
    if (!queue.add(instance)) return fail(kResultNoMemory, BindStop::OutOfMemory);
    return row + 1;
}

int32_t Binder::bindCountedList(int32_t row) {
    Level& level = top();
    if (level.countHead >= counts_.count) return fail(kResultBadStructure, BindStop::MissingCount);
    FieldInstance* count = counts_.entries[level.countHead++];
    TemplateField* field = document_->templ->fields[row];
    int32_t endRow = rowOf(document_, field->partner);
    if (endRow < 0) return fail(kResultBadStructure, BindStop::ListWithoutEnd);
    FieldInstance* parent = level.parent;
    FieldInstance* header = appendWithNumber(field, parent, count, 0);
    if (!header) return -1;
    int64_t items = *static_cast<int64_t*>(count->value);
    if (rowKindOf(count->field->code).zeroBased && items < INT64_MAX) ++items;
    if (items <= 0) {
        FieldInstance* end = append(document_->templ->fields[endRow], parent, header, count);
        if (!end) return -1;
        header->partner = end;
        return endRow + 1;
    }
    if (!pushLevel(header)) return fail(kResultNoMemory, BindStop::OutOfMemory);
    Level& item = top();
    item.listRow = row;
    item.endRow = endRow;
    item.firstHeader = header;
    item.countInstance = count;
    item.items = items;
    return row + 1;
}

// The level of a list item is done: the next item starts, or the list ends.
int32_t Binder::finishItem() {
    Level& item = top();
    counts_.count = item.countBase;
    sizes_.count = item.sizeBase;
    FieldInstance* outerParent = levels_[levelCount_ - 2].parent;
    TemplateField** fields = document_->templ->fields;
    if (++item.item < item.items) {
        FieldInstance* header =
            appendWithNumber(fields[item.listRow], outerParent, item.countInstance, item.item);
        if (!header) return -1;
        item.parent = header;
        item.countHead = item.countBase;
        item.sizeHead = item.sizeBase;
        return item.listRow + 1;
    }
    FieldInstance* end = append(fields[item.endRow], outerParent, item.firstHeader, item.countInstance);
    if (!end) return -1;
    item.firstHeader->partner = end;
    --levelCount_;
    return item.endRow + 1;
}

// Lists bounded by a size are not bound: the row shows, and binding ends there.
int32_t Binder::bindSizedList(int32_t row) {
    Level& level = top();
    if (level.sizeHead >= sizes_.count) return fail(kResultBadStructure, BindStop::MissingSize);
    FieldInstance* size = sizes_.entries[level.sizeHead++];
    if (!append(document_->templ->fields[row], level.parent, nullptr, size)) return -1;
    return fail(kResultBadStructure, BindStop::SizeBoundedList);
}

// No case is chosen by a key's value yet: the key shows, and binding ends there.
int32_t Binder::bindKey(int32_t row, const RowKind& kind) {
    readNumber(kind);
    if (!append(document_->templ->fields[row], top().parent, nullptr, nullptr)) return -1;
    return fail(kResultKeyField, BindStop::KeyField);
}

int32_t Binder::bindData(int32_t row) {
    TemplateField* field = document_->templ->fields[row];
    const FieldType* type = field->fieldType;
    if (!type) return fail(kResultNoFieldType, BindStop::NoFieldType);
    FieldInstance* instance = append(field, top().parent, nullptr, nullptr);
    if (!instance) return -1;
    void* value = type->procs.createValue ? type->procs.createValue(instance) : nullptr;
    if (!value) {
        // No row without a value: nothing could draw, edit or save it.
        dropLastInstance(document_);
        return fail(kResultNoValue, BindStop::NoValue);
    }
    instance->value = value;
    if (stream_ && type->procs.readValue) {
        int64_t result = type->procs.readValue(instance, value, stream_, stream_->Position());
        if (result < 0) {
            return fail(result,
                        result == kResultNoMemory ? BindStop::OutOfMemory : BindStop::UnreadableField);
        }
    }
    return row + 1;
}

int64_t Binder::run(int32_t& rowIndex, FieldInstance* parent) {
    const RowKind* kinds = rowKinds(document_);
    if (!kinds || !pushLevel(parent)) return stop(kResultNoMemory, BindStop::OutOfMemory, rowIndex, rowIndex);
    const Template* templ = document_->templ;
    int32_t row = rowIndex;
    for (;;) {
        if (row >= templ->fieldCount) {
            if (levelCount_ == 1) return 0;
            int32_t next = finishItem();
            if (next < 0) return stop(failure_, reason_, top().listRow, rowIndex);
            row = next;
            continue;
        }
        const RowKind& kind = kinds[row];
        int32_t next = row + 1;
        switch (kind.role) {
            case RowRole::Skip:
                break;
            case RowRole::Count:
            case RowRole::Size:
                next = bindNumber(row, kind);
                break;
            case RowRole::CountedList:
                next = bindCountedList(row);
                break;
            case RowRole::SizedList:
                next = bindSizedList(row);
                break;
            case RowRole::ListEnd:
                // The levels of list items always belong to a list; the first level only when the
                // caller binds an item.
                if (levelCount_ > 1) {
                    next = finishItem();
                    break;
                }
                if (!top().parent || !isListOpener(top().parent)) {
                    return stop(kResultBadStructure, BindStop::MisplacedEnd, row, rowIndex);
                }
                rowIndex = row;
                return 0;
            case RowRole::Key:
                next = bindKey(row, kind);
                break;
            case RowRole::Data:
                next = bindData(row);
                break;
        }
        if (next < 0) return stop(failure_, reason_, row, rowIndex);
        row = next;
    }
}

}  // namespace

int64_t bind(Document* document, TIOStream* stream, int32_t& rowIndex, FieldInstance* parent,
             FieldInstance* listSource) {
    // listSource is the count the caller's list was bound from; the rows of a level do not need it.
    (void)listSource;
    Binder binder(document, stream);
    return binder.run(rowIndex, parent);
}

int64_t bindNew(Document* document) {
    document->stopReason = BindStop::None;
    int32_t row = 0;
    return bind(document, nullptr, row, nullptr, nullptr);
}

int64_t bindFile(Document* document) {
    document->stopReason = BindStop::None;
    TIOFile* stream =
        new (std::nothrow) TIOFile(document->path, platform::kGenericRead, platform::kOpenExisting);
    if (!stream) {
        document->stopReason = BindStop::OutOfMemory;
        return kResultNoMemory;
    }
    int32_t row = 0;
    int64_t result = bind(document, stream, row, nullptr, nullptr);
    delete stream;
    return result;
}

const char* bindStopReason(const Document* document) {
    switch (document->stopReason) {
        case BindStop::None:
            return nullptr;
        case BindStop::InstanceLimit:
            return "The file asks for more rows than a document can hold (16,777,216).";
        case BindStop::OutOfMemory:
            return "The file asks for more memory than there is.";
        case BindStop::MissingCount:
            return "A list in the template has no count before it.";
        case BindStop::MissingSize:
            return "A list in the template has no size before it.";
        case BindStop::ListWithoutEnd:
            return "A list in the template has no end.";
        case BindStop::SizeBoundedList:
            return "Lists bounded by a size cannot be shown yet.";
        case BindStop::MisplacedEnd:
            return "The template ends a list that it never began.";
        case BindStop::KeyField:
            return "Key fields cannot be shown yet.";
        case BindStop::NoFieldType:
            return "A row of the template has no field type.";
        case BindStop::NoValue:
            return "A field type could not make a value.";
        case BindStop::UnreadableField:
            return "A field could not be read.";
    }
    return nullptr;
}
