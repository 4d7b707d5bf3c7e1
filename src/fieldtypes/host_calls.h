#pragma once
// The five host services the built-in field types use, reached through the host interface as any
// field type reaches them.
#include "fieldtypes/host_interface.h"

inline FieldCode hostCodeOf(FieldInstance* instance) {
    return hostInterface->instanceProcs->fiGetCode(instance);
}

inline const char* hostCaptionOf(FieldInstance* instance) {
    return hostInterface->instanceProcs->fiGetCaption(instance);
}

inline int64_t hostRead(TIOStream* stream, void* buffer, int64_t count) {
    return hostInterface->streamProcs->stRead(stream, buffer, count);
}

inline int64_t hostWrite(TIOStream* stream, const void* buffer, int64_t count) {
    return hostInterface->streamProcs->stWrite(stream, buffer, count);
}

inline platform::Window hostMainWindow() {
    return hostInterface->lowGUIProcs->lgGetMainWindow();
}
