#include "shell/startup.h"

#include "fieldtypes/builtin_types.h"
#include "fieldtypes/host_interface.h"
#include "fieldtypes/registry.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"
#include "templates/template_library.h"

void startEngine() {
    createDrawingResources();
    BuildUIStrings();
    buildInterface();
    registerIntegerTypes();
    registerDividerTypes();
    registerStringTypes();
    registerKeyTypes();
    registerFloatTypes();
    registerVarintTypes();
    registerByteArrayTypes();
    registerFixedTextTypes();
    registerNumberTextTypes();
    registerCheckTypes();
}

void stopEngine() {
    destroyRegistry();
    templateLibrary.clear();
    freeInterface();
    FreeUIStrings();
}
