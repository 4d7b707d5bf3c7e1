#include "document/sizes.h"

#include <new>

#include "document/instances.h"
#include "document/places.h"
#include "expressions/expression.h"
#include "document/row_numbers.h"
#include "document/record_stack.h"
#include "templates/template.h"

struct UnclosedSize {
    FieldInstance* opener;
    FieldInstance* size;
    int64_t bytesAfter;
};

struct Unclosed {
    RecordStack<UnclosedSize> sizes;
};

namespace {

// A section being walked: from start to its last instance, or, when binding never closed it, to
// the end of the document less bytesAfter.
struct Open {
    FieldInstance* size;  // null when it bounds nothing
    int64_t added;        // what the size's expression adds to its row's number
    const FieldInstance* last;
    int64_t start;
    int64_t bytesAfter;
    bool holdsData;  // a list to the end of its data inside runs to this section's end
    bool dataTaken;  // such a list ended here, so no byte may follow it
    int32_t
        dataSection;  // the innermost open section that holds data, this one or one around it; -1 for none
    bool placed;      // a region at an offset: its rows stand elsewhere in the file
};

struct Update {
    FieldInstance* size;
    int64_t bytes;
};

// The row a size or length expression names, plus a number: the row whose number follows.
FieldInstance* namedSize(const FieldInstance* instance, int32_t parameter, FieldInstance* row, int64_t* added) {
    int32_t named;
    const TemplateField* field = instance->field;
    *added = 0;
    if (!row || parameter >= field->parameterCount ||
        !expression::isNamePlusNumber(field->parameters[parameter], &named, added))
        return nullptr;
    return row;
}

const UnclosedSize* unclosedOf(const Document* document, const FieldInstance* opener) {
    if (!document->unclosed) return nullptr;
    RecordStack<UnclosedSize>& sizes = document->unclosed->sizes;
    for (int32_t i = 0; i < sizes.count; ++i) {
        if (sizes[i].opener == opener) return &sizes[i];
    }
    return nullptr;
}

// The section an instance opens: a closed size's, a chosen case's, or a list bounded by a size.
bool opensSection(const Document* document, FieldInstance* instance, Open* open) {
    RowKind kind = rowKindOf(instance->field->code);
    *open = Open{nullptr, 0, instance->extentLast, 0, -1, false, false, -1, false};
    if (kind.role == RowRole::Placed) {
        // Its own data, whose size follows when its expression names a row.
        open->size = namedSize(instance, 1, instance->partner, &open->added);
        open->holdsData = true;
        open->placed = true;
        return true;
    }
    if (kind.role == RowRole::Size && instance->field->partner) {
        // A computed size bounds its rows but has no number in the file to follow them.
        open->size = kind.computed ? nullptr : instance;
    } else if (kind.role == RowRole::Case) {
        open->size = instance->listSource;
    } else if (kind.list == 'S' && *static_cast<int64_t*>(instance->value) == 0) {
        open->size = instance->listSource;
        open->last = instance->partner;
    } else {
        return false;
    }
    open->holdsData = open->size != nullptr || kind.computed;
    if (!open->last) {
        const UnclosedSize* unclosed = unclosedOf(document, instance);
        if (!unclosed) open->size = nullptr;  // nothing tells where it would end
        open->bytesAfter = unclosed ? unclosed->bytesAfter : -1;
    }
    return true;
}

// A field whose length its caption gives as a row's name (plus a number): that row, which follows
// the field's length.
FieldInstance* namedLength(FieldInstance* instance, int64_t* added) {
    RowKind kind = rowKindOf(instance->field->code);
    if (!kind.bounded || kind.check || !instance->listSource) return nullptr;
    return namedSize(instance, 0, instance->listSource, added);
}

bool endsDataList(const FieldInstance* instance) {
    const FieldInstance* firstHeader = instance->partner;
    return rowKindOf(instance->field->code).role == RowRole::ListEnd && firstHeader &&
           rowKindOf(firstHeader->field->code).list == 'Z';
}

}  // namespace

bool updateSizes(Document* document, FieldInstance** failed) {
    if (failed) *failed = nullptr;
    if (!document->hasBoundedRows && !document->hasDataLists) return true;
    RecordStack<Open> open;
    RecordStack<Update> updates;
    bool fileTaken = false;
    // Of the data a list to the end of its data runs to: the innermost section that holds data, or the file.
    auto dataTaken = [&]() -> bool& {
        int32_t holder = open.count > 0 ? open.top().dataSection : -1;
        return holder < 0 ? fileTaken : open[holder].dataTaken;
    };
    Placer placer(document->placed);
    for (FieldInstance* instance = document->first; instance; instance = instance->next) {
        // The bytes after the last row, and between regions at offsets, belong to no section.
        if (instance == document->restOfFile) break;
        int64_t size = instanceSize(instance);
        if (size > 0 && dataTaken()) return false;
        placer.enter(instance);
        int64_t at = placer.at();
        int64_t added;
        if (FieldInstance* length = namedLength(instance, &added)) {
            if (!updates.push(Update{length, size - added})) return false;
        }
        Open section;
        if (opensSection(document, instance, &section)) {
            section.start = at;
            section.dataSection = section.holdsData ? open.count
                                  : open.count > 0  ? open.top().dataSection
                                                    : -1;
            if (!open.push(section)) return false;
        }
        if (endsDataList(instance)) dataTaken() = true;
        while (open.count > 0 && open.top().last == instance) {
            const Open& closing = open.top();
            if (closing.size && !updates.push(Update{closing.size, placer.at() - closing.start - closing.added}))
                return false;
            if (closing.placed) placer.leave(instance);
            --open.count;
        }
        while (placer.leave(instance)) {
        }
    }
    // Sections binding stopped inside end where the rows do, less the bytes after them.
    int64_t end = placer.at();
    if (document->restOfFile && !document->placed) end += instanceSize(document->restOfFile);
    for (int32_t i = 0; i < open.count; ++i) {
        if (open[i].size && !updates.push(Update{open[i].size, end - open[i].start - open[i].bytesAfter}))
            return false;
    }
    for (int32_t i = 0; i < updates.count; ++i) {
        if (!numberFits(updates[i].size, updates[i].bytes)) {
            if (failed) *failed = updates[i].size;
            return false;
        }
    }
    for (int32_t i = 0; i < updates.count; ++i) setRowNumber(updates[i].size, updates[i].bytes);
    return true;
}

bool noteUnclosed(Document* document, FieldInstance* opener, FieldInstance* size, int64_t bytesAfter) {
    if (!size) return true;
    if (!document->unclosed) document->unclosed = new (std::nothrow) Unclosed;
    return document->unclosed && document->unclosed->sizes.push(UnclosedSize{opener, size, bytesAfter});
}

void destroyUnclosed(Document* document) {
    delete document->unclosed;
    document->unclosed = nullptr;
}
