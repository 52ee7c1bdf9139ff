// What the player keeps, on the real program in its window: the statistics
// and a new best on the game-over screen, the best result on the menu, a
// level saved and quit from the pause menu or left by closing the window,
// and a level killed outright during a wave, continued from the autosave
// at that wave's start. Texts are read off captures of the window.
#include "PlayFixture.h"
#include "support/RunDir.h"

#include "zp/InputRecording.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

using namespace e2e;
using zp::Position;

const Position REPORT_AT(17, 8);
const Position NEWS_AT(17, 16);
const Position LEVEL1_LINE(0, 15);
const Position BEST1_AT(12, 15);
const Position CONTINUE_AT(0, 19);
const Position SETTINGS_AT(0, 20);
const Position PAUSE_TITLE_AT(37, 8);

class ProgressTest : public PlayFixture {
protected:
    void SetUp() override
    {
        data_home = zp::test::runDir() + "/data-home";
        options.environment = {{"XDG_DATA_HOME", data_home}};
    }

    std::string savePath() const { return data_home + "/cinderwatch/saves/level1.rec"; }

    // The first wave of level 1 under way, and saved.
    void playIntoTheFirstWave()
    {
        ASSERT_NO_FATAL_FAILURE(playLevel(1));
        ASSERT_TRUE(waitForCounter("Wave:", WAVE_X, 1, PLAY_DEADLINE));
        ASSERT_TRUE(waitUntil([&] { return fs::exists(savePath()); }, SCREEN_DEADLINE)) << "no autosave";
    }

    zp::InputRecording readSave()
    {
        zp::InputRecording save;
        std::string error;
        EXPECT_EQ(save.readFile(savePath(), error), 0) << error;
        return save;
    }

    // The log says the level went on where its save ended, in the state the save holds.
    void expectContinuedAsSaved(const zp::InputRecording& save)
    {
        char digest[17];
        std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(save.getEndDigest()));
        const std::string line = "Level 1 continued at its step " + std::to_string(save.getEndStep()) +
                                 ", in the state it was saved in (" + digest + ")";
        EXPECT_TRUE(
            waitUntil([&] { return game->logText().find(line) != std::string::npos; }, SCREEN_DEADLINE))
            << line << "\n"
            << game->logText().substr(0, 3000);
    }

    std::string data_home;
    RunOptions options;
};

TEST_F(ProgressTest, TheGameOverScreenShowsTheGameAndTheMenuItsBest)
{
    ASSERT_NO_FATAL_FAILURE(start(options));
    ASSERT_NO_FATAL_FAILURE(playIntoTheFirstWave());
    game->pressKey("f");
    ASSERT_TRUE(waitForText(REPORT_AT, "Wave reached:       1")) << game->errorText();
    EXPECT_TRUE(shows(Position(17, 9), "Enemies destroyed:  0 (none)"));
    EXPECT_TRUE(shows(Position(17, 10), "Turrets built:"));
    EXPECT_TRUE(shows(Position(37, 10), "none"));
    EXPECT_TRUE(shows(Position(17, 12), "Currency earned:    0, spent: 0"));
    EXPECT_TRUE(shows(Position(17, 13), "Lives lost:         0"));
    EXPECT_TRUE(shows(Position(17, 14), "Time played:"));
    EXPECT_TRUE(shows(NEWS_AT, "New best for level 1: wave 1!"));
    EXPECT_TRUE(shows(GAME_OVER_TEXT, GAME_OVER));
    saveScreenshot("gameover");

    ASSERT_NO_FATAL_FAILURE(reachMenu());
    EXPECT_TRUE(waitForText(BEST1_AT, "best: wave 1, 0 enemies, 0:"));
    EXPECT_TRUE(shows(LEVEL1_LINE, "1. Easy"));
    EXPECT_TRUE(shows(SETTINGS_AT, "S  settings"));
    EXPECT_FALSE(reader.rowContains(screen, CONTINUE_AT.getY(), "continue")) << "the game over left no save";
    saveScreenshot("menu");
    EXPECT_FALSE(fs::exists(savePath()));
    EXPECT_NE(
        zp::test::readFile(data_home + "/cinderwatch/records").find("best level 1 difficulty normal wave 1 "),
        std::string::npos);
}

TEST_F(ProgressTest, SaveAndQuitFromThePauseMenuThenContinue)
{
    ASSERT_NO_FATAL_FAILURE(start(options));
    ASSERT_NO_FATAL_FAILURE(playIntoTheFirstWave());
    game->pressKey("Escape");
    ASSERT_TRUE(waitForText(PAUSE_TITLE_AT, "Paused"));
    EXPECT_TRUE(shows(Position(24, 10), "> Resume"));
    EXPECT_TRUE(shows(Position(24, 11), "  Save and quit to the menu"));
    EXPECT_TRUE(shows(Position(24, 12), "  Give up"));
    saveScreenshot("pause-menu");
    game->pressKey("Down");
    game->pressKey("Return");
    ASSERT_TRUE(waitForText(CONTINUE_AT, "C  continue level 1, wave 1"));
    const zp::InputRecording save = readSave();

    game->pressKey("c");
    ASSERT_TRUE(waitForCounter("Wave:", WAVE_X, 1));
    expectContinuedAsSaved(save);

    // Closing the window saves the level too; the next start offers it.
    ASSERT_TRUE(game->requestClose());
    EXPECT_EQ(game->waitForExit(SCREEN_DEADLINE), 0);
    const zp::InputRecording closed = readSave();
    EXPECT_GE(closed.getEndStep(), save.getEndStep());
    ASSERT_NO_FATAL_FAILURE(start(options));
    ASSERT_NO_FATAL_FAILURE(reachMenu());
    EXPECT_TRUE(waitForText(CONTINUE_AT, "C  continue level 1, wave 1"));
}

// Killed outright in the middle of a wave: the next start offers the save
// made when that wave began, and continuing it reaches the state it holds.
TEST_F(ProgressTest, KilledDuringAWaveContinuesFromItsAutosave)
{
    ASSERT_NO_FATAL_FAILURE(start(options));
    ASSERT_NO_FATAL_FAILURE(playIntoTheFirstWave());
    const std::string autosave = zp::test::readFile(savePath());
    std::this_thread::sleep_for(std::chrono::seconds(2));
    game->signal(SIGKILL);
    EXPECT_EQ(game->waitForExit(SCREEN_DEADLINE), 128 + SIGKILL);
    EXPECT_EQ(zp::test::readFile(savePath()), autosave) << "the save of the wave's start is whole";
    const zp::InputRecording save = readSave();

    ASSERT_NO_FATAL_FAILURE(start(options));
    ASSERT_NO_FATAL_FAILURE(reachMenu());
    ASSERT_TRUE(waitForText(CONTINUE_AT, "C  continue level 1, wave 1"));
    saveScreenshot("menu-continue");
    game->pressKey("c");
    ASSERT_TRUE(waitForCounter("Wave:", WAVE_X, 1));
    EXPECT_TRUE(showsCounter("Lives:", LIVES_X, 10));
    expectContinuedAsSaved(save);
}

} // namespace
