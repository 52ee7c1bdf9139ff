// The progress line of a long headless replay: what it says, and how often
// it is written.
#include "app/ReplayProgress.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

namespace {

TEST(ReplayProgress, SaysTheStepHowFarTheSpeedAndTheTimeLeft)
{
    const struct {
        int step, first, end;
        double per_second;
        const char* text;
    } cases[] = {
        {1200, 0, 3955, 27112, "replay: step 1200 of 3955 (30.3 %), 27112 steps/s, 0:00:01 left"},
        {3955, 0, 3955, 27112, "replay: step 3955 of 3955 (100.0 %), 27112 steps/s, 0:00:00 left"},
        {3954, 0, 3955, 1, "replay: step 3954 of 3955 (99.9 %), 1 steps/s, 0:00:01 left"},
        // A game started at step 100: the steps before it do not count.
        {150, 100, 200, 10, "replay: step 150 of 200 (50.0 %), 10 steps/s, 0:00:05 left"},
        // The longest recording: about three hours at 200,000 steps a second.
        {1000000, 0, INT_MAX, 200000,
         "replay: step 1000000 of 2147483647 (0.0 %), 200000 steps/s, 2:58:53 left"},
        {INT_MAX, 0, INT_MAX, 5, "replay: step 2147483647 of 2147483647 (100.0 %), 5 steps/s, 0:00:00 left"},
        // No speed yet: no estimate.
        {0, 0, 3955, 0, "replay: step 0 of 3955 (0.0 %), 0 steps/s, ?:??:?? left"},
        {5, 0, 0, 0, "replay: step 5 of 0 (100.0 %), 0 steps/s, ?:??:?? left"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplayProgress::text(c.step, c.first, c.end, c.per_second), c.text);
}

std::string written(std::FILE* p_file)
{
    std::fflush(p_file);
    std::rewind(p_file);
    std::string text;
    for (int ch; (ch = std::fgetc(p_file)) != EOF;)
        text += char(ch);
    return text;
}

TEST(ReplayProgress, RewritesItsLineAFewTimesASecondAndErasesItAtTheEnd)
{
    std::FILE* p_file = std::tmpfile();
    ASSERT_NE(p_file, nullptr);
    ReplayProgress progress(p_file, 0, 1000);
    const std::int64_t start = 5000000;
    progress.update(0, start);
    EXPECT_EQ(progress.getUpdates(), 1) << "at once";
    progress.update(10, start + PROGRESS_INTERVAL_US - 1);
    EXPECT_EQ(progress.getUpdates(), 1);
    progress.update(100, start + PROGRESS_INTERVAL_US);
    EXPECT_EQ(progress.getUpdates(), 2);
    progress.update(150, start + PROGRESS_INTERVAL_US + 1000);
    EXPECT_EQ(progress.getUpdates(), 2);
    progress.update(500, start + 4 * PROGRESS_INTERVAL_US);
    EXPECT_EQ(progress.getUpdates(), 3);
    progress.clear();
    EXPECT_EQ(written(p_file), "\rreplay: step 0 of 1000 (0.0 %), 0 steps/s, ?:??:?? left\033[K"
                               "\rreplay: step 100 of 1000 (10.0 %), 400 steps/s, 0:00:03 left\033[K"
                               "\rreplay: step 500 of 1000 (50.0 %), 500 steps/s, 0:00:01 left\033[K"
                               "\r\033[K");
    std::fclose(p_file);
}

TEST(ReplayProgress, ALineNeverWrittenIsNotErased)
{
    std::FILE* p_file = std::tmpfile();
    ASSERT_NE(p_file, nullptr);
    ReplayProgress(p_file, 0, 10).clear();
    EXPECT_EQ(written(p_file), "");
    std::fclose(p_file);
}

} // namespace
