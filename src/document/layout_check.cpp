#include "document/layout_check.h"

#include <utility>
#include <vector>

#include "document/binding.h"
#include "document/folds.h"
#include "document/placed_writing.h"
#include "document/instances.h"
#include "document/rest.h"
#include "document/row_kind.h"
#include "document/saving.h"
#include "fieldtypes/check_value.h"
#include "shell/memory_stream.h"
#include "templates/template.h"

namespace {

// Checks that move what follows them are read back at most this often before the change is refused.
constexpr int32_t kSettlePasses = 4;

// A number shown, or the length of a rest row; 0 for rows without either.
int64_t rowNumber(const FieldInstance* instance) {
    if (isRestInstance(instance)) return static_cast<const RestValue*>(instance->value)->length;
    bool numbered = !instance->field->fieldType && instance->value;
    return numbered ? *static_cast<const int64_t*>(instance->value) : 0;
}

// The same row, bytes and byte order: the same bytes read in another order show another value.
bool sameShape(FieldInstance* shown, FieldInstance* read) {
    return shown->field->index == read->field->index && shown->depth == read->depth &&
           (shown->flags & kInstanceOrder) == (read->flags & kInstanceOrder) &&
           instanceSize(shown) == instanceSize(read);
}

bool isDerived(const FieldInstance* instance) {
    return rowKindOf(instance->field->code).role == RowRole::Derived;
}

bool sameRow(FieldInstance* shown, FieldInstance* read) {
    return sameShape(shown, read) && (rowNumber(shown) == rowNumber(read) || isDerived(shown));
}

// Whether the rows a fold stands for are the rows read from read on; read moves past them.
bool sameFoldedRows(FieldInstance* fold, FieldInstance*& read) {
    bool same = true;
    bool whole = visitFoldedRows(fold, 0, 0, [&](FieldInstance* folded, int64_t) {
        same = read && sameRow(folded, read);
        if (same) read = read->next;
        return same;
    });
    return whole && same;
}

// Whether the documents show the same rows, but for the numbers of derived rows and check fields.
bool sameLayout(Document* document, Document* reread) {
    FieldInstance* shown = document->first;
    FieldInstance* read = reread->first;
    for (; shown && read && shown != document->restOfFile; shown = shown->next) {
        if (isFoldInstance(shown)) {
            if (!sameFoldedRows(shown, read)) return false;
            continue;
        }
        if (!sameRow(shown, read)) return false;
        read = read->next;
    }
    return !read && (!shown || shown == document->restOfFile) && !reread->missingBytes;
}

// What following changed, to take back when the change cannot stand: a check's value as it was, or a
// derived row's number.
struct Followed {
    FieldInstance* instance;
    void* value;
    int64_t number;
};

void takeBack(std::vector<Followed>& log) {
    for (auto at = log.rbegin(); at != log.rend(); ++at) {
        FieldInstance* instance = at->instance;
        if (at->value) {
            std::swap(instance->value, at->value);
            instance->field->fieldType->procs.destroyValue(instance, at->value);
        } else {
            *static_cast<int64_t*>(instance->value) = at->number;
        }
    }
    log.clear();
}

void forget(std::vector<Followed>& log) {
    for (Followed& entry : log) {
        if (entry.value) entry.instance->field->fieldType->procs.destroyValue(entry.instance, entry.value);
    }
    log.clear();
}

// Derived rows and checks take what the bytes read back say; whether a check's bytes changed, which
// may move what follows it. False too without memory for the log.
bool follow(Document* document, Document* reread, std::vector<Followed>& log, bool* moved) {
    *moved = false;
    FieldInstance* read = reread->first;
    for (FieldInstance* shown = document->first; read && shown != document->restOfFile;
         shown = shown->next, read = read->next) {
        // Folded rows are neither checks nor derived: only lists of plain fields fold.
        for (int64_t rows = isFoldInstance(shown) ? foldRows(shown) : 0; rows > 1 && read; --rows) read = read->next;
        if (isCheckField(shown)) {
            void* before = shown->field->fieldType->procs.cloneValue(shown, shown->value);
            if (!before) return false;
            log.push_back(Followed{shown, before, 0});
            *moved = followComputed(shown, read) || *moved;
        } else if (isDerived(shown) && rowNumber(shown) != rowNumber(read)) {
            log.push_back(Followed{shown, nullptr, rowNumber(shown)});
            *static_cast<int64_t*>(shown->value) = rowNumber(read);
        }
    }
    return true;
}

// The bytes the document would save, bound anew through its template; null without memory.
Document* readBack(Document* document) {
    MemoryStream bytes;
    if (writeInstances(document, &bytes) < 0) return nullptr;
    // Rows over the same bytes must agree, or the saved file shows only one of them.
    if (document->placed && !stretchesAgree(document, &bytes)) return nullptr;
    bytes.Seek(0, 0);
    Document* reread = createDocument(nullptr, "", document->templ);
    if (!reread) return nullptr;
    reread->instanceLimit = document->instanceLimit;
    int32_t row = 0;
    bind(reread, &bytes, row, nullptr);
    return reread;
}

}  // namespace

// A check that follows changes bytes, which a row after it may read (a pattern, a condition), so the
// bytes are read back again until nothing moves.
bool settleLayout(Document* document, bool always) {
    if (!always && !document->templ->hasParameters) return true;
    std::vector<Followed> log;
    for (int32_t pass = 0; pass < kSettlePasses; ++pass) {
        Document* reread = readBack(document);
        bool moved = false;
        bool holds = reread && sameLayout(document, reread) && follow(document, reread, log, &moved);
        if (reread) destroyDocument(reread);
        if (!holds) break;
        if (!moved) {
            forget(log);
            return true;
        }
    }
    takeBack(log);
    return false;
}
