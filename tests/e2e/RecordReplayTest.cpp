// A game played in the real window and recorded, then replayed: headless it
// reaches the same end, checked against the recording's state checks; in the
// window it plays itself back at the normal pace and ends by itself, or when
// its window is closed.
#include "PlayFixture.h"
#include "support/RunDir.h"
#include "support/Shell.h"

#include "zp/InputRecording.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace e2e;
using zp::Position;

class RecordReplayTest : public PlayFixture {};

TEST_F(RecordReplayTest, AGamePlayedInTheWindowReplaysHeadlessAndInTheWindow)
{
    const std::string recording_file = zp::test::runDir() + "/played.rec";
    const e2e::LevelData data = e2e::readLevel(1);
    const Position place = bestTurretCell(data, e2e::spriteBox(GATLING_KIND.build_sprite));
    ASSERT_GE(place.getX(), 0) << "no free cell beside the path";

    RunOptions recorded;
    recorded.arguments = {"--record", recording_file};
    start(recorded);
    playLevel(1);
    game->click(GATLING_PANEL);
    game->moveTo(place);
    game->click(place);
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 0)) << "the Gatling was bought";
    game->pressKey("Tab");
    ASSERT_TRUE(waitForCounter("Wave:", WAVE_X, 1, PLAY_DEADLINE));
    game->pressKey("f");
    ASSERT_TRUE(waitForText(GAME_OVER_TEXT, GAME_OVER));
    reachMenu();
    game->pressKey("q");
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0) << game->errorText();

    zp::InputRecording recording;
    std::string error;
    ASSERT_EQ(recording.readFile(recording_file, error), 0) << error;
    EXPECT_EQ(recording.getMeta("level"), "0") << "started at the splash screen";
    EXPECT_GE(recording.getInputs().size(), 5u);
    EXPECT_GE(recording.getChecks().size(), 10u);
    ASSERT_GT(recording.getEndStep(), 0);
    EXPECT_TRUE(recording.hasEndDigest());
    const std::string end_step = std::to_string(recording.getEndStep());

    const std::string headless = zp::test::commandOutput(
        std::string("cd '") + zp::test::runDir() + "' && '" + ZP_BUILD_DIR + "/cinderwatch' --replay '" +
        recording_file + "' --headless 2>&1; echo status $?");
    EXPECT_NE(
        headless.find("final step " + end_step + " level 1 wave 1 lives 10 currency 0 turrets 1 objects "),
        std::string::npos)
        << headless;
    EXPECT_NE(headless.find("steps per second"), std::string::npos) << headless;
    EXPECT_NE(headless.find("status 0"), std::string::npos) << headless;

    // In the window the replay buys the same turret; the player's keys are
    // not heard, and the game ends where the recording ends.
    RunOptions replayed;
    replayed.arguments = {"--replay", recording_file};
    start(replayed);
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 0, PLAY_DEADLINE)) << game->errorText();
    game->pressKey("f");
    ASSERT_EQ(game->waitForExit(PLAY_DEADLINE), 0) << game->errorText();
    EXPECT_NE(game->outputText().find("final step " + end_step + " level 1"), std::string::npos)
        << game->outputText() << game->errorText();

    // Closing the window stops a replay early, which is no difference.
    start(replayed);
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 100, PLAY_DEADLINE)) << game->errorText();
    ASSERT_TRUE(game->requestClose());
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0) << game->errorText();
    EXPECT_NE(game->errorText().find("the replay was stopped at step"), std::string::npos)
        << game->errorText();
    EXPECT_EQ(game->outputText().find("final step " + end_step + " "), std::string::npos)
        << "it stopped before the recording's end: " << game->outputText();
}

} // namespace
