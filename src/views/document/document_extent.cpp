#include "views/document/document_extent.h"

#include <algorithm>

#include "document/folds.h"
#include "document/instances.h"
#include "document/places.h"

DocumentExtent measureDocument(const Document* document, const FieldInstance* wanted, int64_t y) {
    DocumentExtent extent;
    bool wantedFound = false;
    // Rows at offsets of their own: the file ends where the last of them does.
    Placer placer(document->placed);
    int64_t fileEnd = 0;
    for (FieldInstance* instance = document->first; instance; instance = instance->next) {
        int64_t place = placer.place(instance);
        fileEnd = std::max(fileEnd, place + instanceSize(instance));
        if (document->placed) extent.bytes = place;
        bool fold = isFoldInstance(instance);
        bool reachesY = !extent.found.instance || extent.height <= y;
        if (!fold && (instance == wanted || (!wantedFound && reachesY))) {
            extent.found = {instance, extent.height};
            extent.foundOffset = extent.bytes;
            wantedFound = instance == wanted;
        }
        extent.height += instance->height;
        extent.rows += fold ? foldRows(instance) : 1;
        extent.bytes += instanceSize(instance);
    }
    if (document->placed) extent.bytes = fileEnd;
    return extent;
}
