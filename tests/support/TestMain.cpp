// Test entry: every test works in a fresh run folder of its own, and a failed
// test prints the tail of the engine log it left there.
#include "support/Environment.h"
#include "support/GlDriverResident.h"
#include "support/RunDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {

class FreshRunDirPerTest : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { zp::test::enterFreshRunDir(); }

    void OnTestEnd(const testing::TestInfo& info) override
    {
        if (!info.result()->Failed())
            return;
        std::string tail = zp::test::logTail();
        if (!tail.empty())
            std::cerr << "--- zephane.log (tail) ---\n" << tail << "--------------------------\n";
        std::cerr << "run folder: " << zp::test::runDir() << "\n";
    }
};

bool hasOption(int argc, char** argv, const char* option)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], option, std::strlen(option)) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // Read before gtest takes its own options out of argv.
    const bool listing = hasOption(argc, argv, "--gtest_list_tests");
    const bool statement_process = hasOption(argc, argv, "--gtest_internal_run_death_test");
    testing::InitGoogleMock(&argc, argv);
    // Audio plays into OpenAL Soft's silent output, as CTest asks, also when
    // a binary is started by hand on a machine with (or without) a sound
    // card; a test that wants another output sets its own.
    if (std::getenv("ALSOFT_DRIVERS") == nullptr)
        zp::test::setEnvironmentVariable("ALSOFT_DRIVERS", "null");
    zp::test::keepGlDriverLoaded();
    if (listing)
        return RUN_ALL_TESTS();
    // A process started for one statement of a test (FreshProcess.h) gets no
    // test events, so it makes its run folder here.
    if (statement_process)
        zp::test::enterFreshRunDir();
    testing::UnitTest::GetInstance()->listeners().Append(new FreshRunDirPerTest);
    const int result = RUN_ALL_TESTS();
    if (result == 0 && std::getenv("ZP_KEEP_RUN_DIR") == nullptr)
        zp::test::removeRunDirs();
    return result;
}
