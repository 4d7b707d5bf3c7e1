#include "platform/recording_surface.h"

namespace platform {

// Live surfaces, compared by address only, so a real device context is never dereferenced.
// A fixed table: looking up a device context must not allocate.
static constexpr int kMaxSurfaces = 64;
static RecordingSurface* liveSurfaces[kMaxSurfaces];

RecordingSurface::RecordingSurface() {
    for (RecordingSurface*& slot : liveSurfaces) {
        if (!slot) {
            slot = this;
            return;
        }
    }
}

RecordingSurface::~RecordingSurface() {
    for (RecordingSurface*& slot : liveSurfaces) {
        if (slot == this) slot = nullptr;
    }
}

RecordingSurface* RecordingSurface::find(Dc dc) {
    if (!dc) return nullptr;
    for (RecordingSurface* surface : liveSurfaces) {
        if (surface == dc) return surface;
    }
    return nullptr;
}

void RecordingSurface::clear() {
    texts.clear();
    lines.clear();
}

}  // namespace platform
