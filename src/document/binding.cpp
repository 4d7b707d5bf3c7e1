#include "document/binding.h"

#include <new>

#include "document/binder.h"
#include "document/places.h"
#include "document/rest.h"
#include "document/sizes.h"
#include "fieldtypes/registry.h"
#include "platform/file_handle.h"
#include "shell/streams.h"

namespace binding {

bool Binder::pushLevel(FieldInstance* parent) {
    Level level{};
    level.parent = parent;
    level.countBase = level.countHead = counts_.count;
    level.sizeBase = level.sizeHead = sizes_.count;
    level.spanBase = spans_.count;
    level.keyBase = keys_.count;
    level.orderBase = orders_.count;
    return levels_.push(level);
}

int64_t Binder::stop(int64_t result, BindStop reason, int32_t row, int32_t& rowIndex) {
    if (result == kResultInstanceLimit) reason = BindStop::InstanceLimit;
    if (result == kResultNoMemory) reason = BindStop::OutOfMemory;
    document_->stopReason = reason;
    document_->stopRow = row;
    document_->stopOffset = rowStart_;
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
    if (!window_) made_ += info.kind.width;
    RowKind kind = info.kind;
    if (orders_.count > 0) kind.bigEndian = !orders_.top().littleEndian;
    FieldInstance* instance = appendWithNumber(fields_[row], top().parent, nullptr, numberFromBytes(bytes, kind));
    if (!instance) {
        restStart_ = rowStart_;  // the number read is not shown: its bytes stay in the rest
        return -1;
    }
    if (info.kind.role == RowRole::Size && info.partner >= 0) return row + 1;  // a section's own
    Queue& queue = info.kind.role == RowRole::Count ? counts_ : sizes_;
    if (!queue.add(instance)) return fail(kResultNoMemory, BindStop::OutOfMemory);
    return row + 1;
}

// A size whose section is closed bounds the section's rows to its number of bytes.
int32_t Binder::bindSection(int32_t row, const RowInfo& info) {
    if ((info.kind.computed ? bindDerived(row) : bindNumber(row, info)) < 0) return -1;
    FieldInstance* size = document_->last;
    // A computed size is no number in the file for changes to keep up to date.
    if (!info.kind.computed) document_->hasBoundedRows = true;
    Span span{size,     info.partner, info.partner + 1, fields_[row]->depth + 1, top().parent, window_ != nullptr, 0, 0,
              position()};
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
    if (span.bounded && window_) {
        int64_t at = window_->at();
        if (at < span.end &&
            !appendRest(document_, span.restParent, span.restDepth, window_, at, span.end - at, &failure_)) {
            return fail(failure_, BindStop::None);
        }
        window_->setEnd(span.outerEnd);
    }
    if (span.placed) {
        window_->setEnd(span.outerEnd);
        window_->Seek(span.resumeAt, 0);
    }
    span.opener->extentLast = document_->last;
    return span.resumeRow;
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
    const RowKind& kind = infos_[row].kind;
    if (kind.bounded || kind.check) return bindParameterData(row, instance, value, kind);
    return readData(row, instance, value);
}


// A structure's row stands over the rows of the template it uses; one that was not put in (reuse
// deeper than allowed) ends binding.
int32_t Binder::bindStructure(int32_t row) {
    if (!fields_[row]->expanded) return fail(kResultBadStructure, BindStop::ReuseTooDeep);
    return append(fields_[row], top().parent, nullptr, nullptr) ? row + 1 : -1;
}

int32_t Binder::failRead(const FieldType* type, FieldInstance* instance, void* value, int64_t result) {
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

// A closing row closes what its section's opening row began, whichever of LSTE, KEYE and SKPE it is;
// one that closes nothing ends the structure, so binding stops there.
int32_t Binder::bindCloser(int32_t row, const RowInfo& info, int32_t& rowIndex, bool& levelDone) {
    if (info.partner < 0) return fail(kResultBadStructure, BindStop::MisplacedEnd);
    const RowKind& opener = infos_[info.partner].kind;
    if (opener.list != 0) return bindListEnd(row, rowIndex, levelDone);
    if (opener.role == RowRole::KeySection) closeKeySection(info);
    if (opener.role == RowRole::ByteOrder && orders_.count > top().orderBase && orders_.top().closeRow == row)
        --orders_.count;
    return row + 1;
}

bool Binder::recordUnclosed(int64_t fileEnd) {
    for (int32_t i = 0; i < spans_.count; ++i) {
        const Span& span = spans_[i];
        FieldInstance* size = span.opener->listSource ? span.opener->listSource : span.opener;
        if (span.bounded && !noteUnclosed(document_, span.opener, size, fileEnd - span.end)) return false;
    }
    for (int32_t i = 1; i < levels_.count; ++i) {
        const Level& level = levels_[i];
        if (level.bound == 'S' && !noteUnclosed(document_, level.firstHeader, level.listSource, fileEnd - level.listEnd))
            return false;
    }
    return true;
}

int64_t Binder::run(int32_t& rowIndex, FieldInstance* parent) {
    infos_ = rowInfos(document_);
    if (!infos_ || !pushLevel(parent) || !startExpressions())
        return stop(kResultNoMemory, BindStop::OutOfMemory, rowIndex, rowIndex);
    // An item made on its own is bound in the byte order its header was.
    if (parent && (parent->flags & kInstanceOrderChosen) &&
        !orders_.push(OrderSection{-1, (parent->flags & kInstanceLittleEndian) != 0}))
        return stop(kResultNoMemory, BindStop::OutOfMemory, rowIndex, rowIndex);
    fields_ = document_->templ->fields;
    int32_t fieldCount = document_->templ->fieldCount;
    if (window_) fileEnd_ = window_->end();
    int32_t row = rowIndex;
    for (;;) {
        int32_t next = row + 1;
        bool levelDone = false;
        rowStart_ = position();
        if (spans_.count > 0 && spans_.top().closeRow == row && spans_.count > top().spanBase) {
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
                    next = info.partner >= 0     ? bindSection(row, info)
                           : info.kind.computed ? bindDerived(row)
                                                : bindNumber(row, info);
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
                case RowRole::KeyEnd:
                case RowRole::SectionEnd:
                    next = bindCloser(row, info, rowIndex, levelDone);
                    break;
                case RowRole::Data:
                    next = bindData(row);
                    break;
                case RowRole::Key:
                    next = bindData(row);
                    if (next >= 0 && keys_.count > top().keyBase && keys_.top().row == info.section &&
                        infos_[info.section].key == row) {
                        keyFromRow(document_->last);
                    }
                    break;
                case RowRole::Derived:
                    next = bindDerived(row);
                    break;
                case RowRole::Condition:
                    next = bindCondition(row, info);
                    break;
                case RowRole::ByteOrder:
                    next = bindByteOrder(row, info);
                    break;
                case RowRole::Structure:
                    next = bindStructure(row);
                    break;
                case RowRole::Placed:
                    next = bindPlaced(row, info);
                    break;
                case RowRole::FileKind:
                    break;
            }
        }
        if (levelDone) return 0;
        if (next < 0) return stop(failure_, reason_, row, rowIndex);
        row = next;
    }
}

}  // namespace binding

int64_t bind(Document* document, TIOStream* stream, int32_t& rowIndex, FieldInstance* parent, int32_t chosenCase) {
    DataWindow window(stream, stream ? stream->Size() : 0);
    binding::Binder binder(document, stream ? &window : nullptr, chosenCase);
    return binder.run(rowIndex, parent);
}

int64_t bindNew(Document* document) {
    document->stopReason = BindStop::None;
    int32_t row = 0;
    int64_t result = bind(document, nullptr, row, nullptr);
    // Sizes start at zero; the rows they bound may take bytes all the same.
    updateSizes(document);
    return result;
}

// The bytes no row took, as the last row; it may exceed the document's limit by this one row.
static void keepTrailingBytes(Document* document, TIOStream* file, int64_t from) {
    int64_t end = file->Size();
    if (from >= end) return;
    ++document->instanceLimit;
    int64_t failure = 0;
    document->restOfFile = appendRest(document, nullptr, 0, file, from, end - from, &failure);
    if (!document->restOfFile) document->missingBytes = true;
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
        return bind(document, nullptr, row, nullptr);
    }
    DataWindow window(file, file->Size());
    binding::Binder binder(document, &window);
    int64_t result = binder.run(row, nullptr);
    if (document->placed) {
        // Rows stand all over the file: what they leave between them is kept at its place.
        if (!keepUncoveredBytes(document, file)) document->missingBytes = true;
    } else {
        if (result < 0 && !binder.recordUnclosed(file->Size())) document->missingBytes = true;
        keepTrailingBytes(document, file,
                          result < 0 && binder.restStart() >= 0 ? binder.restStart() : window.at());
    }
    delete file;
    return result;
}
