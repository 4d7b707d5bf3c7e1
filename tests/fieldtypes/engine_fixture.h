#pragma once
// The process-wide state field types and documents need, brought up for one test in the program's
// start-up order and torn down after it, so that every test gives back what it allocated.
#include <gtest/gtest.h>

#include "shell/startup.h"
#include "views/document/headless/query_script.h"

struct EngineFixture : testing::Test {
    void SetUp() override { startEngine(); }
    void TearDown() override {
        queryscript::reset();
        stopEngine();
    }
};
