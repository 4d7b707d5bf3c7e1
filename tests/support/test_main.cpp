// Test entry point: every test must give back every block it allocated through the program's
// operator new, and the run ends with the leak report in "debug.log", as the program's does.
#include <gtest/gtest.h>

#include "shell/memory_tracker.h"

namespace {

class LeakCheck : public testing::EmptyTestEventListener {
    int32_t blocksBefore_ = 0;
    int64_t bytesBefore_ = 0;

    void OnTestStart(const testing::TestInfo&) override {
        blocksBefore_ = shell::processAllocations().count();
        bytesBefore_ = shell::processAllocations().total();
    }
    void OnTestEnd(const testing::TestInfo& info) override {
        const int32_t blocks = shell::processAllocations().count() - blocksBefore_;
        const int64_t bytes = shell::processAllocations().total() - bytesBefore_;
        // A failing assertion keeps its message alive.
        if (!info.result()->Failed() && (blocks != 0 || bytes != 0))
            ADD_FAILURE() << "leak: " << blocks << " blocks, " << bytes
                          << " bytes still allocated after the test";
    }
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new LeakCheck);
    int result = RUN_ALL_TESTS();
    shell::ReportMemoryLeaks();
    return result;
}
