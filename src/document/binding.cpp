#include "document/binding.h"

#include <cstring>
#include <new>

#include "document/case_match.h"
#include "document/data_window.h"
#include "document/instances.h"
#include "document/record_stack.h"
#include "document/rest.h"
#include "fieldtypes/key_value.h"
#include "fieldtypes/registry.h"
#include "platform/file_handle.h"
#include "shell/pointer_array.h"
#include "shell/streams.h"
#include "templates/template.h"

namespace {

constexpr int32_t kQueueStep = 32;

// One nesting level in progress: the first level, or the item of a list being bound. Its pending
// counts and sizes are the entries of the shared queues from its base on; entries before its head
// have been taken.
struct Level {
    FieldInstance* parent;
    int32_t countBase, countHead;
    int32_t sizeBase, sizeHead;
    int32_t spanBase, keyBase;
    // Only for the levels of list items:
    int32_t listRow, endRow;
    char bound;  // 'C' counted, 'S' sized, 'Z' to the end of the data, 'B' to an item of zeros
    FieldInstance* firstHeader;
    FieldInstance* listSource;
    int64_t item, items;  // items only for counted lists
    int64_t itemStart;    // where the item in progress began
    int64_t outerEnd;     // the end of the data around the list
    bool outerNonZero, listNonZero;
};

// Rows that end at a row ahead: a closed size section, or the chosen case of a key section.
struct Span {
    int32_t closeRow;
    int32_t resumeRow;  // where binding goes on after closeRow
    int32_t restDepth;
    FieldInstance* restParent;
    bool bounded;
    int64_t end, outerEnd;
};

// A key section whose key chooses among its cases.
struct KeySection {
    int32_t row;  // of its KEYB
    int32_t endRow;
    FieldInstance* key;
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

int64_t numberOf(const FieldInstance* instance) {
    return *static_cast<const int64_t*>(instance->value);
}

class Binder {
  public:
    // window is null when binding without a file.
    Binder(Document* document, DataWindow* window) : document_(document), window_(window) {}
    Binder(const Binder&) = delete;
    Binder& operator=(const Binder&) = delete;

    int64_t run(int32_t& rowIndex, FieldInstance* parent);
    // Where the bytes that no row took begin after a failure; -1 when at the stream's position.
    int64_t restStart() const { return restStart_; }

  private:
    Level& top() { return levels_.top(); }
    bool pushLevel(FieldInstance* parent);
    int64_t stop(int64_t result, BindStop reason, int32_t row, int32_t& rowIndex);
    int64_t position() const { return window_ ? window_->at() : 0; }

    FieldInstance* append(TemplateField* field, FieldInstance* parent, FieldInstance* partner,
                          FieldInstance* listSource) {
        return appendInstance(document_, field, parent, partner, listSource, &failure_);
    }
    FieldInstance* appendWithNumber(TemplateField* field, FieldInstance* parent, FieldInstance* listSource,
                                    int64_t number);
    FieldInstance* takePendingSize();
    // Ends the data at *end when n more bytes of it are there; false after a failure.
    bool bound(int64_t n, int64_t* end);

    // Each returns the next row, or -1 after a failure (in failure_ and reason_).
    int32_t bindNumber(int32_t row, const RowInfo& info);
    int32_t bindSection(int32_t row, const RowInfo& info);
    int32_t closeSpan();
    int32_t bindCountedList(int32_t row, const RowInfo& info);
    int32_t bindDataList(int32_t row, const RowInfo& info);
    int32_t startItems(int32_t row, const RowInfo& info, FieldInstance* header, int64_t items);
    int32_t finishItem();
    int32_t openKeySection(int32_t row, const RowInfo& info);
    bool closesKeySection(const RowInfo& info);
    int32_t bindCase(int32_t row, const RowInfo& info);
    int32_t bindData(int32_t row);
    int32_t bindListEnd(int32_t row, int32_t& rowIndex, bool& levelDone);

    int32_t fail(int64_t result, BindStop reason) {
        failure_ = result;
        reason_ = reason;
        return -1;
    }
    // A row whose bytes are not all there: its bytes go to the rest.
    int32_t failPastEnd() {
        restStart_ = rowStart_;
        bool atFileEnd = window_->end() == fileEnd_;
        return fail(kResultPastEnd, atFileEnd ? BindStop::FieldPastFileEnd : BindStop::FieldPastSectionEnd);
    }

    Document* document_;
    DataWindow* window_;
    const RowInfo* infos_ = nullptr;
    TemplateField** fields_ = nullptr;
    RecordStack<Level> levels_;
    RecordStack<Span> spans_;
    RecordStack<KeySection> keys_;
    Queue counts_;
    Queue sizes_;
    int64_t failure_ = 0;
    BindStop reason_ = BindStop::None;
    int64_t fileEnd_ = 0;
    int64_t rowStart_ = 0;
    int64_t restStart_ = -1;
};

bool Binder::pushLevel(FieldInstance* parent) {
    Level level{};
    level.parent = parent;
    level.countBase = level.countHead = counts_.count;
    level.sizeBase = level.sizeHead = sizes_.count;
    level.spanBase = spans_.count;
    level.keyBase = keys_.count;
    return levels_.push(level);
}

int64_t Binder::stop(int64_t result, BindStop reason, int32_t row, int32_t& rowIndex) {
    if (result == kResultInstanceLimit) reason = BindStop::InstanceLimit;
    if (result == kResultNoMemory) reason = BindStop::OutOfMemory;
    document_->stopReason = reason;
    rowIndex = row;
    return result;
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

FieldInstance* Binder::takePendingSize() {
    Level& level = top();
    return level.sizeHead < sizes_.count ? sizes_.entries[level.sizeHead++] : nullptr;
}

bool Binder::bound(int64_t n, int64_t* end) {
    BindStop problem = n < 0                 ? BindStop::NegativeSize
                       : n > window_->left() ? BindStop::SectionPastEnd
                                             : BindStop::None;
    if (problem != BindStop::None) {
        fail(kResultBadStructure, problem);
        return false;
    }
    *end = window_->at() + n;
    return true;
}

int32_t Binder::bindNumber(int32_t row, const RowInfo& info) {
    unsigned char bytes[8] = {0};
    if (window_ && window_->Read(bytes, info.kind.width) < info.kind.width) return failPastEnd();
    FieldInstance* instance =
        appendWithNumber(fields_[row], top().parent, nullptr, numberFromBytes(bytes, info.kind));
    if (!instance) return -1;
    if (info.kind.role == RowRole::Size && info.partner >= 0) return row + 1;  // a section's own
    Queue& queue = info.kind.role == RowRole::Count ? counts_ : sizes_;
    if (!queue.add(instance)) return fail(kResultNoMemory, BindStop::OutOfMemory);
    return row + 1;
}

// A size whose section is closed bounds the section's rows to its number of bytes.
int32_t Binder::bindSection(int32_t row, const RowInfo& info) {
    if (bindNumber(row, info) < 0) return -1;
    FieldInstance* size = document_->last;
    document_->hasBoundedRows = true;
    Span span{
        info.partner, info.partner + 1, fields_[row]->depth + 1, top().parent, window_ != nullptr, 0, 0};
    if (window_) {
        span.outerEnd = window_->end();
        if (!bound(numberOf(size), &span.end)) return -1;
        window_->setEnd(span.end);
    }
    if (!spans_.push(span)) return fail(kResultNoMemory, BindStop::OutOfMemory);
    return row + 1;
}

// What the span's rows did not read is kept as a row of its own.
int32_t Binder::closeSpan() {
    Span span = spans_.top();
    --spans_.count;
    if (!span.bounded) return span.resumeRow;
    int64_t at = window_->at();
    if (at < span.end &&
        !appendRest(document_, span.restParent, span.restDepth, window_, at, span.end - at, &failure_)) {
        return fail(failure_, BindStop::None);
    }
    window_->setEnd(span.outerEnd);
    return span.resumeRow;
}

int32_t Binder::bindCountedList(int32_t row, const RowInfo& info) {
    Level& level = top();
    if (level.countHead >= counts_.count) return fail(kResultBadStructure, BindStop::MissingCount);
    FieldInstance* count = counts_.entries[level.countHead++];
    if (info.partner < 0) return fail(kResultBadStructure, BindStop::ListWithoutEnd);
    FieldInstance* header = appendWithNumber(fields_[row], level.parent, count, 0);
    if (!header) return -1;
    int64_t items = numberOf(count);
    if (rowKindOf(count->field->code).zeroBased && items < INT64_MAX) ++items;
    return startItems(row, info, header, items);
}

// Lists bounded by a size, by the end of their data, or by an item of zeros.
int32_t Binder::bindDataList(int32_t row, const RowInfo& info) {
    char kind = info.kind.list;
    FieldInstance* size = nullptr;
    if (kind == 'S' && !(size = takePendingSize())) return fail(kResultBadStructure, BindStop::MissingSize);
    if (info.partner < 0) return fail(kResultBadStructure, BindStop::ListWithoutEnd);
    if (size) document_->hasBoundedRows = true;
    int64_t end = window_ ? window_->end() : 0;
    if (window_ && size && !bound(numberOf(size), &end)) return -1;
    FieldInstance* header = appendWithNumber(fields_[row], top().parent, size, 0);
    if (!header) return -1;
    // Without a file only a list ended by an item of zeros has an item: that one.
    bool hasItems = kind == 'B' || (window_ && window_->at() < end);
    int32_t next = startItems(row, info, header, hasItems ? 1 : 0);
    if (next < 0 || !hasItems || !window_) return next;
    Level& item = top();
    item.bound = kind;
    item.items = -1;
    item.outerEnd = window_->end();
    if (kind == 'B') {
        item.outerNonZero = window_->takeNonZeroMark();
    } else {
        window_->setEnd(end);
    }
    return next;
}

// The first header is made; the list's items follow in a level of their own, or the list ends.
int32_t Binder::startItems(int32_t row, const RowInfo& info, FieldInstance* header, int64_t items) {
    FieldInstance* parent = top().parent;
    if (items <= 0) {
        FieldInstance* end = append(fields_[info.partner], parent, header, header->listSource);
        if (!end) return -1;
        header->partner = end;
        return info.partner + 1;
    }
    if (!pushLevel(header)) return fail(kResultNoMemory, BindStop::OutOfMemory);
    Level& item = top();
    item.listRow = row;
    item.endRow = info.partner;
    item.bound = 'C';
    item.firstHeader = header;
    item.listSource = header->listSource;
    item.items = items;
    item.itemStart = position();
    return row + 1;
}

// The level of a list item is done: the next item starts, or the list ends.
int32_t Binder::finishItem() {
    Level& item = top();
    counts_.count = item.countBase;
    sizes_.count = item.sizeBase;
    spans_.count = item.spanBase;
    keys_.count = item.keyBase;
    bool another = false;
    if (item.bound == 'C') {
        another = ++item.item < item.items;
    } else if (window_) {
        int64_t at = window_->at();
        if (at == item.itemStart) return fail(kResultBadStructure, BindStop::EmptyItem);
        if (item.bound == 'B') {
            another = window_->takeNonZeroMark();
            item.listNonZero = item.listNonZero || another;
        } else {
            another = at < window_->end();
        }
        ++item.item;
    }
    FieldInstance* outerParent = levels_[levels_.count - 2].parent;
    if (another) {
        FieldInstance* header =
            appendWithNumber(fields_[item.listRow], outerParent, item.listSource, item.item);
        if (!header) return -1;
        item.parent = header;
        item.countHead = item.countBase;
        item.sizeHead = item.sizeBase;
        item.itemStart = position();
        return item.listRow + 1;
    }
    if (window_ && item.bound != 'C') {
        window_->setEnd(item.outerEnd);
        if (item.bound == 'B') window_->addNonZeroMark(item.outerNonZero || item.listNonZero);
    }
    FieldInstance* end = append(fields_[item.endRow], outerParent, item.firstHeader, item.listSource);
    if (!end) return -1;
    item.firstHeader->partner = end;
    --levels_.count;
    return item.endRow + 1;
}

int32_t Binder::openKeySection(int32_t row, const RowInfo& info) {
    // Without a key the section binds every row, as if KEYB, CASE and KEYE were not there.
    if (info.key < 0) return row + 1;
    int32_t endRow = info.partner >= 0 ? info.partner : document_->templ->fieldCount;
    if (!keys_.push(KeySection{row, endRow, nullptr})) return fail(kResultNoMemory, BindStop::OutOfMemory);
    return row + 1;
}

bool Binder::closesKeySection(const RowInfo& info) {
    if (keys_.count <= top().keyBase || keys_.top().row != info.section) return false;
    --keys_.count;
    return true;
}

// The first CASE row whose values name the key, or else the first default, binds its rows; the
// others are passed over.
int32_t Binder::bindCase(int32_t row, const RowInfo& info) {
    if (keys_.count <= top().keyBase || keys_.top().row != info.section || !keys_.top().key) return row + 1;
    KeySection section = keys_.top();
    const KeyValue* key = keyValueOf(section.key);
    if (!key) return row + 1;
    auto isCaseRow = [&](int32_t r) {
        return infos_[r].section == section.row && infos_[r].kind.role == RowRole::Case;
    };
    int32_t chosen = -1;
    int32_t fallback = -1;
    for (int32_t r = row; r < section.endRow && chosen < 0; ++r) {
        if (!isCaseRow(r)) continue;
        CaseMatch match = matchCase(fields_[r]->caption, key->bytes, key->width, isUpperCaseCode(key->code));
        if (match == CaseMatch::Value) chosen = r;
        if (match == CaseMatch::Default && fallback < 0) fallback = r;
    }
    if (chosen < 0) chosen = fallback;
    if (chosen < 0) return section.endRow;
    int32_t caseEnd = chosen + 1;
    while (caseEnd < section.endRow && !isCaseRow(caseEnd)) ++caseEnd;

    FieldInstance* size = takePendingSize();
    FieldInstance* label = append(fields_[chosen], top().parent, nullptr, size);
    if (!label) return -1;
    label->depth = fields_[section.row]->depth;
    Span span{caseEnd, section.endRow, label->depth + 1, top().parent, size && window_, 0, 0};
    if (size) document_->hasBoundedRows = true;
    if (span.bounded) {
        span.outerEnd = window_->end();
        if (!bound(numberOf(size), &span.end)) return -1;
        window_->setEnd(span.end);
    }
    if (!spans_.push(span)) return fail(kResultNoMemory, BindStop::OutOfMemory);
    return chosen + 1;
}

int32_t Binder::bindData(int32_t row) {
    TemplateField* field = fields_[row];
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
    if (!window_ || !type->procs.readValue) return row + 1;
    window_->takeShortMark();
    int64_t result = type->procs.readValue(instance, value, window_, rowStart_);
    // A read that came back short means the data ended inside the field.
    if (result >= 0 && !window_->takeShortMark()) return row + 1;
    // A field that is not all there is not shown: its bytes stay in the rest.
    if (type->procs.destroyValue) type->procs.destroyValue(instance, value);
    dropLastInstance(document_);
    if (result >= 0 || result == kResultPastEnd) return failPastEnd();
    restStart_ = rowStart_;
    return fail(result, result == kResultNoMemory ? BindStop::OutOfMemory : BindStop::UnreadableField);
}

// levelDone is set when the row ends the item this call was asked to bind.
int32_t Binder::bindListEnd(int32_t row, int32_t& rowIndex, bool& levelDone) {
    // The levels of list items always belong to a list; the first level only when the caller binds
    // an item.
    if (levels_.count > 1) return finishItem();
    if (!top().parent || !isListOpener(top().parent))
        return fail(kResultBadStructure, BindStop::MisplacedEnd);
    rowIndex = row;
    levelDone = true;
    return row;
}

int64_t Binder::run(int32_t& rowIndex, FieldInstance* parent) {
    infos_ = rowInfos(document_);
    if (!infos_ || !pushLevel(parent))
        return stop(kResultNoMemory, BindStop::OutOfMemory, rowIndex, rowIndex);
    fields_ = document_->templ->fields;
    int32_t fieldCount = document_->templ->fieldCount;
    if (window_) fileEnd_ = window_->end();
    int32_t row = rowIndex;
    for (;;) {
        int32_t next = row + 1;
        bool levelDone = false;
        rowStart_ = position();
        if (spans_.count > top().spanBase && spans_.top().closeRow == row) {
            next = closeSpan();
        } else if (row >= fieldCount) {
            if (levels_.count == 1) return 0;
            next = finishItem();
            if (next < 0) return stop(failure_, reason_, top().listRow, rowIndex);
        } else {
            const RowInfo& info = infos_[row];
            switch (info.kind.role) {
                case RowRole::Count:
                case RowRole::Length:
                    next = bindNumber(row, info);
                    break;
                case RowRole::Size:
                    next = info.partner >= 0 ? bindSection(row, info) : bindNumber(row, info);
                    break;
                case RowRole::CountedList:
                    next = bindCountedList(row, info);
                    break;
                case RowRole::SizedList:
                    next = bindDataList(row, info);
                    break;
                case RowRole::KeySection:
                    next = openKeySection(row, info);
                    break;
                case RowRole::Case:
                    next = bindCase(row, info);
                    break;
                case RowRole::ListEnd:
                    next = closesKeySection(info) ? row + 1 : bindListEnd(row, rowIndex, levelDone);
                    break;
                case RowRole::KeyEnd:
                    closesKeySection(info);
                    next = row + 1;
                    break;
                case RowRole::SectionEnd: {
                    // SKPE closes whatever is open, a list too.
                    bool endsList = info.partner >= 0 && infos_[info.partner].kind.list != 0;
                    if (closesKeySection(info) || !endsList) {
                        next = row + 1;
                    } else {
                        next = bindListEnd(row, rowIndex, levelDone);
                    }
                    break;
                }
                case RowRole::Data:
                    next = bindData(row);
                    break;
                case RowRole::Key:
                    next = bindData(row);
                    if (next >= 0 && keys_.count > top().keyBase && keys_.top().row == info.section &&
                        infos_[info.section].key == row) {
                        keys_.top().key = document_->last;
                    }
                    break;
            }
        }
        if (levelDone) return 0;
        if (next < 0) return stop(failure_, reason_, row, rowIndex);
        row = next;
    }
}

}  // namespace

int64_t bind(Document* document, TIOStream* stream, int32_t& rowIndex, FieldInstance* parent,
             FieldInstance* listSource) {
    // listSource is the count the caller's list was bound from; the rows of a level do not need it.
    (void)listSource;
    DataWindow window(stream, stream ? stream->Size() : 0);
    Binder binder(document, stream ? &window : nullptr);
    return binder.run(rowIndex, parent);
}

int64_t bindNew(Document* document) {
    document->stopReason = BindStop::None;
    int32_t row = 0;
    return bind(document, nullptr, row, nullptr, nullptr);
}

// The bytes no row took, as the last row; it may exceed the document's limit by this one row.
static void keepTrailingBytes(Document* document, TIOStream* file, int64_t from) {
    int64_t end = file->Size();
    if (from >= end) return;
    ++document->instanceLimit;
    int64_t failure = 0;
    if (!appendRest(document, nullptr, 0, file, from, end - from, &failure)) document->missingBytes = true;
    --document->instanceLimit;
}

int64_t bindFile(Document* document) {
    document->stopReason = BindStop::None;
    TIOFile* file =
        new (std::nothrow) TIOFile(document->path, platform::kGenericRead, platform::kOpenExisting);
    if (!file) {
        document->stopReason = BindStop::OutOfMemory;
        return kResultNoMemory;
    }
    int32_t row = 0;
    // A file that cannot be read binds like a new document.
    if (!file->IsOpen() || !recordSource(document)) {
        bool opened = file->IsOpen();
        delete file;
        if (opened) document->missingBytes = true;
        return bind(document, nullptr, row, nullptr, nullptr);
    }
    DataWindow window(file, file->Size());
    Binder binder(document, &window);
    int64_t result = binder.run(row, nullptr);
    keepTrailingBytes(document, file,
                      result < 0 && binder.restStart() >= 0 ? binder.restStart() : file->Position());
    delete file;
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
        case BindStop::MisplacedEnd:
            return "The template ends a list that it never began.";
        case BindStop::NoFieldType:
            return "A row of the template has no field type.";
        case BindStop::NoValue:
            return "A field type could not make a value.";
        case BindStop::UnreadableField:
            return "A field could not be read.";
        case BindStop::FieldPastFileEnd:
            return "The file ends inside a field.";
        case BindStop::FieldPastSectionEnd:
            return "A field runs past the end of the section or list that holds it.";
        case BindStop::NegativeSize:
            return "A size in the file is negative.";
        case BindStop::SectionPastEnd:
            return "A size in the file runs past the end of the data that holds it.";
        case BindStop::EmptyItem:
            return "A list item takes no bytes, so the list would never end.";
    }
    return nullptr;
}
