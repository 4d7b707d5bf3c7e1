#include "shell/startup.h"

#include "fieldtypes/builtin_types.h"
#include "fieldtypes/host_interface.h"
#include "fieldtypes/registry.h"
#include "shell/debug_log.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"

void startEngine() {
    shell::truncateDebugLog();
    createDrawingResources();
    BuildUIStrings();
    buildInterface();
    registerIntegerTypes();
    registerDividerTypes();
    registerStringTypes();
}

void stopEngine() {
    destroyRegistry();
    freeInterface();
    FreeUIStrings();
}
