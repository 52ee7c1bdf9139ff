// What the player keeps, on the real program in its window: the statistics
// and a new best on the game-over screen, the best result on the menu, a
// level saved and quit from the pause menu or left by closing the window,
// and a level killed outright during a wave, continued from the autosave
// at that wave's start. Texts are read off captures of the window.
#include "PlayFixture.h"
#include "support/RunDir.h"
#include "support/Wav.h"

#include "zp/InputRecording.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

using namespace e2e;
using zp::Position;

const Position REPORT_AT(17, 8);
const Position NEWS_AT(17, 16);
const Position LEVEL1_LINE(0, 15);
const Position BEST1_AT(12, 15);
const Position CONTINUE_AT(0, 20);
const Position SETTINGS_AT(0, 21);
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

// The loudest sample of the sound recorded so far between two times, and
// how long the recording is.
float loudestBetween(const std::string& wav, double from, double to)
{
    const zp::test::WavSamples recorded = zp::test::readWav(wav);
    float peak = 0;
    const auto at = [&](double seconds) {
        return std::min(recorded.samples.size(), recorded.frameAt(seconds));
    };
    for (std::size_t i = at(from); i < at(to); ++i)
        peak = std::max(peak, std::abs(recorded.samples[i]));
    return peak;
}

double recordedSeconds(const std::string& wav)
{
    return zp::test::readWav(wav).seconds();
}

// S opens the settings; each change shows, is kept, and is heard. M mutes on
// any screen, is kept too, and is no input of the game: the recording of
// the run does not hold it.
TEST_F(ProgressTest, TheSettingsScreenAndTheMuteKey)
{
    const std::string config = zp::test::runDir() + "/config-home";
    options.environment.emplace_back("XDG_CONFIG_HOME", config);
    const std::string recorded = zp::test::runDir() + "/run.rec";
    options.arguments = {"--record", recorded};
    ASSERT_NO_FATAL_FAILURE(start(options));
    ASSERT_NO_FATAL_FAILURE(reachMenu());
    game->pressKey("s");
    ASSERT_TRUE(waitForText(Position(36, 3), "Settings"));
    EXPECT_TRUE(shows(Position(20, 7), "> Music volume    < 100 >"));
    EXPECT_TRUE(shows(Position(20, 9), "  Mute            off (M anywhere)"));
    game->pressKey("Down");
    game->pressKey("Left");
    game->pressKey("Left");
    ASSERT_TRUE(waitForText(Position(20, 8), "> Sound volume    < 80 >"));
    saveScreenshot("settings");
    const std::string settings = config + "/cinderwatch/settings";
    EXPECT_NE(zp::test::readFile(settings).find("sound_volume = 80\n"), std::string::npos);
    game->pressKey("Escape");
    ASSERT_NO_FATAL_FAILURE(reachMenu());

    // The menu's music, then M: silence, then M again: the music.
    const std::string wav = game->recordingPath();
    const auto settle = [] { std::this_thread::sleep_for(std::chrono::milliseconds(1500)); };
    settle();
    const double playing = recordedSeconds(wav);
    EXPECT_GT(loudestBetween(wav, playing - 1.0, playing), 0.01f) << "the menu's music is heard";
    game->pressKey("m");
    ASSERT_TRUE(
        waitUntil([&] { return zp::test::readFile(settings).find("mute = true\n") != std::string::npos; },
                  SCREEN_DEADLINE));
    settle();
    const double muted = recordedSeconds(wav);
    EXPECT_LT(loudestBetween(wav, muted - 0.8, muted), 0.002f) << "muted";
    game->pressKey("m");
    ASSERT_TRUE(
        waitUntil([&] { return zp::test::readFile(settings).find("mute = false\n") != std::string::npos; },
                  SCREEN_DEADLINE));
    settle();
    const double unmuted = recordedSeconds(wav);
    EXPECT_GT(loudestBetween(wav, unmuted - 0.8, unmuted), 0.01f) << "heard again";

    game->pressKey("q");
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0);
    zp::InputRecording run;
    std::string error;
    ASSERT_EQ(run.readFile(recorded, error), 0) << error;
    bool has_m = false;
    bool has_s = false;
    for (const zp::RecordedInput& input : run.getInputs()) {
        has_m = has_m || (input.keyboard && input.code == sf::Keyboard::M);
        has_s = has_s || (input.keyboard && input.code == sf::Keyboard::S);
    }
    EXPECT_FALSE(has_m) << "M is the program's, not the game's";
    EXPECT_TRUE(has_s) << "the menu's keys are recorded as ever";
}

// Every file the game keeps, broken: the game starts, names each on
// standard error and in the menu, and plays.
TEST_F(ProgressTest, BrokenKeptFilesAreNamedAndTheGamePlaysOn)
{
    const std::string config = zp::test::runDir() + "/config-home";
    options.environment.emplace_back("XDG_CONFIG_HOME", config);
    fs::create_directories(data_home + "/cinderwatch/saves");
    fs::create_directories(config + "/cinderwatch");
    zp::test::writeFile(data_home + "/cinderwatch/records", "garbage\n");
    zp::test::writeFile(savePath(), "garbage\n");
    zp::test::writeFile(config + "/cinderwatch/settings", "music_volume = loud\n");
    ASSERT_NO_FATAL_FAILURE(start(options));
    ASSERT_NO_FATAL_FAILURE(reachMenu());
    EXPECT_TRUE(waitForText(Position(0, 22), "Best results unreadable"));
    EXPECT_TRUE(shows(Position(0, 23), "A saved game cannot be continued and is kept"));
    EXPECT_FALSE(reader.rowContains(screen, CONTINUE_AT.getY(), "continue"));
    saveScreenshot("menu-notices");
    const std::string errors = game->errorText();
    EXPECT_NE(errors.find(data_home + "/cinderwatch/records"), std::string::npos) << errors;
    EXPECT_NE(errors.find(savePath()), std::string::npos) << errors;
    EXPECT_NE(errors.find(config + "/cinderwatch/settings line 1: music_volume takes"), std::string::npos)
        << errors;
    EXPECT_EQ(zp::test::readFile(savePath()), "garbage\n") << "kept";
    ASSERT_NO_FATAL_FAILURE(playLevel(1));
}

} // namespace
