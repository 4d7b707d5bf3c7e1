#include "document/history.h"

#include <new>
#include <utility>

#include "document/instances.h"
#include "document/layout_check.h"
#include "document/place_shift.h"
#include "document/record_stack.h"
#include "document/relayout.h"
#include "document/rest.h"
#include "document/sizes.h"
#include "fieldtypes/field_type.h"
#include "templates/template.h"

namespace {

struct Change {
    enum Kind : uint8_t { Edit, Insertion, Deletion, Layout } kind;
    bool done;  // undone changes wait to be redone
    FieldInstance* instance;
    void* value;  // of an edit: the value the instance does not have now
    ItemChange item;
    Document* other;  // of a layout: the binding the document does not have now
    bool joinsPrevious;  // undone and redone with the change before it, as one
    PlaceMoves* places;  // of an edit or an item: the places and offsets it moved
};

bool isItemChange(const Change& change) {
    return change.kind == Change::Insertion || change.kind == Change::Deletion;
}

// The item's instances are out of the document while an insertion is undone or a deletion done.
bool itemIsOut(const Change& change) {
    return isItemChange(change) && change.done == (change.kind == Change::Deletion);
}

void release(Change& change) {
    releasePlaces(change.places);
    if (change.kind == Change::Edit) {
        change.instance->field->fieldType->procs.destroyValue(change.instance, change.value);
    } else if (change.kind == Change::Layout) {
        destroyDocument(change.other);
    } else if (itemIsOut(change) && change.item.first) {
        destroyValues(change.item.first, change.item.last);
    }
}

}  // namespace

struct History {
    RecordStack<Change> changes;
    int32_t done = 0;      // the changes before this one are made
    int32_t savedAt = -1;  // the number of changes made when the document was last saved; -1 never again
    int32_t joinFrom = -1;  // while changes are joined, the index of the first of them
};

namespace {

// Newest first: an undone layout holds the rows the undone changes after it were made to. (Changes
// that are done go oldest first, for the same reason the other way round.)
void releaseUndone(History* history) {
    for (int32_t i = history->changes.count - 1; i >= history->done; --i) release(history->changes[i]);
}

History* historyOf(Document* document) {
    if (!document->history) document->history = new (std::nothrow) History;
    return document->history;
}

// The document says whether it is saved; the history remembers where that was.
void noteSaved(Document* document, History* history) {
    if (document->saved) history->savedAt = history->done;
}

void record(Document* document, const Change& change) {
    History* history = document->history;
    noteSaved(document, history);
    releaseUndone(history);
    if (history->savedAt > history->done) history->savedAt = -1;
    history->changes.count = history->done;
    Change made = change;
    made.joinsPrevious = history->joinFrom >= 0 && history->done > history->joinFrom;
    history->changes.push(made);  // reserveChange made room
    ++history->done;
}

// Places and offsets take back exactly what the change set, or set it again.
void swapValue(Document* document, Change& change, bool redo) {
    std::swap(change.instance->value, change.value);
    replayPlaces(change.places, redo);
    updateSizes(document);
}

void move(Document* document, Change& change, bool redo) {
    if ((change.kind == Change::Insertion) == redo) {
        putItemIn(document, change.item);
    } else {
        takeItemOut(document, change.item);
    }
    replayPlaces(change.places, redo);
    updateSizes(document);
}

// Sizes follow what the change undoes or redoes; they held these numbers before, so they fit.
void apply(Document* document, Change& change, bool redo) {
    if (change.kind == Change::Edit) {
        swapValue(document, change, redo);
    } else if (change.kind == Change::Layout) {
        swapBinding(document, change.other);
    } else {
        move(document, change, redo);
    }
    change.done = redo;
    settleLayout(document);  // derived numbers follow; the rows are as they were at that change
}

}  // namespace

bool reserveChange(Document* document) {
    History* history = historyOf(document);
    if (!history || !history->changes.push(Change{})) return false;
    --history->changes.count;
    return true;
}

void recordEdit(Document* document, FieldInstance* instance, void* before, PlaceMoves* moves) {
    record(document, Change{Change::Edit, true, instance, before, {}, nullptr, false, moves});
}

void recordItemChange(Document* document, const ItemChange& change, bool inserted, PlaceMoves* moves) {
    Change::Kind kind = inserted ? Change::Insertion : Change::Deletion;
    record(document, Change{kind, true, nullptr, nullptr, change, nullptr, false, moves});
}

void recordLayout(Document* document, Document* before) {
    record(document, Change{Change::Layout, true, nullptr, nullptr, {}, before, false, nullptr});
}

bool joinChanges(Document* document) {
    History* history = historyOf(document);
    if (history) history->joinFrom = history->done;
    return history != nullptr;
}

void endJoinedChanges(Document* document) {
    if (document->history) document->history->joinFrom = -1;
}

bool canUndo(const Document* document) {
    return document->history && document->history->done > 0;
}

bool canRedo(const Document* document) {
    return document->history && document->history->done < document->history->changes.count;
}

bool undoChange(Document* document) {
    if (!canUndo(document)) return false;
    History* history = document->history;
    noteSaved(document, history);
    do {
        apply(document, history->changes[--history->done], false);
    } while (history->done > 0 && history->changes[history->done].joinsPrevious);
    document->saved = history->done == history->savedAt;
    return true;
}

bool redoChange(Document* document) {
    if (!canRedo(document)) return false;
    History* history = document->history;
    noteSaved(document, history);
    do {
        apply(document, history->changes[history->done++], true);
    } while (history->done < history->changes.count && history->changes[history->done].joinsPrevious);
    document->saved = history->done == history->savedAt;
    return true;
}

bool holdBytesOfChanges(Document* document) {
    History* history = document->history;
    for (int32_t i = 0; history && i < history->changes.count; ++i) {
        const Change& change = history->changes[i];
        if (change.kind == Change::Layout) {
            for (FieldInstance* at = change.other->first; at; at = at->next) {
                if (!holdRestBytes(at)) return false;
            }
            continue;
        }
        if (!itemIsOut(change) || !change.item.first) continue;
        for (FieldInstance* at = change.item.first;; at = at->next) {
            if (!holdRestBytes(at)) return false;
            if (at == change.item.last) break;
        }
    }
    return true;
}

void destroyHistory(Document* document) {
    History* history = document->history;
    if (!history) return;
    releaseUndone(history);
    for (int32_t i = 0; i < history->done; ++i) release(history->changes[i]);
    delete history;
    document->history = nullptr;
}
