#include "mainwindow/window_resources.h"

HINSTANCE moduleInstance = nullptr;
HCURSOR curArrow = nullptr;
