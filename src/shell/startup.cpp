#include "shell/startup.h"

#include "fieldtypes/registry.h"
#include "shell/debug_log.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"

void startEngine() {
    shell::truncateDebugLog();
    createDrawingResources();
    BuildUIStrings();
    ensureRegistry();
}

void stopEngine() {
    destroyRegistry();
    FreeUIStrings();
}
