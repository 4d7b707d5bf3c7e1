#include "views/document/document_extent.h"

#include "document/instances.h"

DocumentExtent measureDocument(const Document* document, const FieldInstance* wanted, int64_t y) {
    DocumentExtent extent;
    bool wantedFound = false;
    for (FieldInstance* instance = document->first; instance; instance = instance->next) {
        // As RowTrack::at walking forwards: the first row whose bottom lies below y.
        bool holdsY = !extent.found.instance || extent.found.bottom() <= y;
        if (instance == wanted || (!wantedFound && holdsY)) {
            extent.found = {instance, extent.height};
            extent.foundOffset = extent.bytes;
            wantedFound = instance == wanted;
        }
        extent.height += instance->height;
        extent.bytes += instanceSize(instance);
    }
    return extent;
}
