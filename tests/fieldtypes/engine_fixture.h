#pragma once
// The process-wide state field types and documents need, brought up for one test and torn down
// after it, so that every test gives back what it allocated.
#include <gtest/gtest.h>

#include "fieldtypes/builtin_types.h"
#include "fieldtypes/host_interface.h"
#include "fieldtypes/registry.h"
#include "shell/drawing_resources.h"
#include "shell/ui_strings.h"
#include "views/document/headless/query_script.h"

struct EngineFixture : testing::Test {
    void SetUp() override {
        createDrawingResources();
        BuildUIStrings();
        buildInterface();
        registerIntegerTypes();
        registerDividerTypes();
        registerStringTypes();
    }
    void TearDown() override {
        queryscript::reset();
        destroyRegistry();
        freeInterface();
        FreeUIStrings();
    }
};
