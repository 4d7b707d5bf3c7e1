#include "fieldtypes/host_interface.h"

platform::Window mainWindowHandle = nullptr;
