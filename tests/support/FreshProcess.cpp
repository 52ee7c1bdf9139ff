#include "support/FreshProcess.h"

#include "support/RunDir.h"

#include "zp/WorldManager.h"

#include <gtest/gtest-spi.h>

#include <cstdlib>
#include <iostream>

namespace zp::test {

void runAndExit(const std::function<void()>& body)
{
    testing::TestPartResultArray results;
    {
        const testing::ScopedFakeTestPartResultReporter reporter(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        body();
        // What the statements left in the world is deleted, as a program's
        // shut-down would.
        WorldManager::getInstance().shutDown();
    }
    bool failed = false;
    for (int i = 0; i < results.size(); ++i) {
        const testing::TestPartResult& result = results.GetTestPartResult(i);
        if (!result.failed())
            continue;
        failed = true;
        std::cerr << (result.file_name() ? result.file_name() : "?") << ":" << result.line_number() << ": "
                  << result.message() << "\n";
    }
    std::cerr.flush();
    if (!failed && std::getenv("ZP_KEEP_RUN_DIR") == nullptr)
        removeRunDirs();
    std::exit(failed ? 1 : 0);
}

} // namespace zp::test
