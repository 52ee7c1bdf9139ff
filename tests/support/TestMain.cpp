// Test entry: each test process works in a fresh run folder, and a failed
// test prints the tail of the engine log it left there.
#include <cstring>
#include <filesystem>
#include <iostream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/GlDriverResident.h"
#include "support/RunDir.h"

namespace {

class LogTailOnFailure : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo& info) override
    {
        if (!info.result()->Failed())
            return;
        std::string tail = zp::test::logTail();
        if (!tail.empty())
            std::cerr << "--- zephane.log (tail) ---\n" << tail << "--------------------------\n";
    }
};

bool onlyListing(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--gtest_list_tests", 18) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleMock(&argc, argv);
    zp::test::keepGlDriverLoaded();
    std::filesystem::path run;
    if (!onlyListing(argc, argv)) {
        zp::test::enterFreshRunDir();
        run = zp::test::runDir();
        testing::UnitTest::GetInstance()->listeners().Append(new LogTailOnFailure);
    }
    int result = RUN_ALL_TESTS();
    if (!run.empty() && result == 0 && std::getenv("ZP_KEEP_RUN_DIR") == nullptr) {
        std::error_code ignored;
        std::filesystem::remove_all(run.parent_path(), ignored);
    }
    return result;
}
