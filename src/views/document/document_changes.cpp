// Changing the document from the view: a value edited through its field type, or an item inserted
// into a list, after which the rows below move down by the height of the new ones and their bytes
// by the size of them.
#include <windows.h>

#include "document/changes.h"
#include "document/instances.h"
#include "fieldtypes/value_query.h"
#include "shell/ui_strings.h"
#include "views/document/document_view.h"

namespace {

// The heights or sizes of `count` rows walking from instance along next (or previous).
template <typename Measure>
int64_t sumOfRows(FieldInstance* instance, int64_t count, bool forward, Measure measure) {
    int64_t sum = 0;
    for (; instance && count > 0; --count) {
        sum += measure(instance);
        instance = forward ? instance->next : instance->previous;
    }
    return sum;
}

int64_t heightOf(FieldInstance* instance) {
    return instance->height;
}

}  // namespace

// The rows are all new: measuring them finds the one at the current row's pixel, a folded one bound.
bool TfrmDocument::takeNewLayout(int64_t layouts) {
    if (document->layouts == layouts) return false;
    current = nullptr;
    RowsChanged();
    return true;
}

void TfrmDocument::SayWhyRefused() {
    if (const char* reason = changeRefusal(document)) MessageBoxA(hwnd, reason, UIStrings[usProductName], MB_OK | MB_ICONINFORMATION);
}

void TfrmDocument::EditCurrent() {
    // The edited row becomes the one whose offset is known, so only the size changes.
    bytes_.offsetOf(CurrentSpot(), rows_.last());
    int64_t before = instanceSize(current);
    int64_t layouts = document->layouts;
    if (!editInstance(document, current)) return SayWhyRefused();
    if (takeNewLayout(layouts)) return;
    bytes_.grow(instanceSize(current) - before, CurrentSpot());
    UpdateCaption();
    UpdateStatus();
    InvalidateRect(hwnd, nullptr, FALSE);
    pane_.BytesChanged();
}

void TfrmDocument::InsertAtCurrent() {
    FieldInstance* before = current->previous;
    int64_t instances = document->instanceCount;
    bytes_.offsetOf(CurrentSpot(), rows_.last());
    // Items of keyed sections come as one of their cases; no answer leaves the key as new bytes give it.
    std::string cases = itemCases(document, current);
    char* chosen = nullptr;
    if (!cases.empty()) {
        std::string prompt = promptText(UIStrings[usInsertCasePrompt], cases.c_str());
        chosen = queryValue(hwnd, UIStrings[usInsertCaseTitle], prompt.c_str(), "", nullptr);
        if (!chosen) return;
    }
    bool inserted = insertItem(document, current, chosen && *chosen ? chosen : nullptr);
    delete[] chosen;
    if (!inserted) return SayWhyRefused();
    // The new rows sit right before the current row, or right after it at a list's first header.
    int64_t added = document->instanceCount - instances;
    bool pushedDown = current->previous != before;
    int64_t at = pushedDown ? currentTop_ : CurrentSpot().bottom();
    FieldInstance* from = pushedDown ? current->previous : current->next;
    int64_t height = sumOfRows(from, added, !pushedDown, heightOf);
    int64_t bytes = sumOfRows(from, added, !pushedDown, instanceSize);
    rows_.grow(height, added);
    RowSpot moved = CurrentSpot();
    RowTrack::shift(moved, at, height);
    currentTop_ = moved.top;
    RowTrack::shift(top_, at, height);
    top_ = rows_.at(scrollOffset, {top_, CurrentSpot()});
    if (pushedDown) {
        bytes_.growBefore(bytes, CurrentSpot());
    } else {
        bytes_.grow(bytes, CurrentSpot());
    }

    UpdateCaption();
    UpdateStatus();
    UpdateScrollRange();
    KeepCurrentVisible();
    InvalidateRect(hwnd, nullptr, FALSE);
    pane_.BytesChanged();
}
