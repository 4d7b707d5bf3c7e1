// Test entry point: every test must give back every block it allocated through the program's
// operator new, and the run ends with the leak report in "debug.log", as the program's does.
#include <gtest/gtest.h>

#include "shell/memory_tracker.h"

namespace {

class LeakCheck : public testing::EmptyTestEventListener {
    int32_t before_ = 0;
    int64_t bytesBefore_ = 0;

    void OnTestStart(const testing::TestInfo&) override {
        before_ = shell::processAllocations().count();
        bytesBefore_ = shell::processAllocations().total();
    }
    void OnTestEnd(const testing::TestInfo& info) override {
        if (info.result()->Failed()) return;  // a failing assertion keeps its message alive
        int32_t after = shell::processAllocations().count();
        int64_t bytesAfter = shell::processAllocations().total();
        if (after != before_ || bytesAfter != bytesBefore_) {
            ADD_FAILURE() << "leak: " << (after - before_) << " blocks, " << (bytesAfter - bytesBefore_)
                          << " bytes still allocated after the test";
        }
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
