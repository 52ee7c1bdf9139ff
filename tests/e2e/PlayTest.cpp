// Plays the real game through its window: keys and clicks go in through the
// X server, and what the player would see is read off captures of the window.
#include "PlayFixture.h"
#include "Recording.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>

namespace {

using namespace e2e;
using zp::Position;

class PlayTest : public PlayFixture {
protected:
    // The counters at their start values, every block of the level's track,
    // its treasure and the three buy panels, on the last capture.
    void expectBoardOf(int level)
    {
        const e2e::LevelData data = e2e::readLevel(level);
        ASSERT_FALSE(data.path.empty());
        ASSERT_TRUE(waitForCounter("Lives:", LIVES_X, 10, SCREEN_DEADLINE));
        EXPECT_TRUE(reader.shows(screen, counterStart(WAVE_X, counter("Wave:", 0)), counter("Wave:", 0)));
        EXPECT_FALSE(reader.shows(screen, counterStart(CURRENCY_X, counter("Currency:", 160)),
                                  counter("Currency:", 160)));
        EXPECT_FALSE(
            reader.shows(screen, counterStart(LIVES_X, counter("Lives:", 16)), counter("Lives:", 16)));

        int drawn_blocks = 0;
        for (const zp::Box& block : data.blocks)
            drawn_blocks += inkIn(block) > 0 ? 1 : 0;
        EXPECT_EQ(drawn_blocks, int(data.blocks.size())) << "every piece of the track is drawn";
        zp::Box treasure = e2e::spriteBox(TREASURE_SPRITE);
        treasure.setCorner(data.treasure);
        EXPECT_GT(inkIn(treasure), 0) << "the treasure";
        for (int panel_top : {0, 6, 12}) {
            int lit = 0;
            for (int row = panel_top; row < panel_top + 6; ++row)
                for (int column = 64; column < 80; ++column)
                    lit += reader.inkAt(screen, Position(column, row)) > 0 ? 1 : 0;
            EXPECT_GT(lit, 10) << "buy panel at row " << panel_top;
        }
    }

    // Lit cells of a box on the last capture.
    int inkIn(const zp::Box& box)
    {
        int lit = 0;
        for (int y = box.getCorner().getY(); y < box.getCorner().getY() + box.getVertical(); ++y)
            for (int x = box.getCorner().getX(); x < box.getCorner().getX() + box.getHorizontal(); ++x)
                lit += reader.inkAt(screen, Position(x, y));
        return lit;
    }
};

TEST_F(PlayTest, SplashScreenThenTheMenu)
{
    start();
    // The first picture is the splash, which lasts 100 steps of at least 33 ms.
    const bool splash_seen = e2e::waitUntil(
        [&] {
            screen = game->capture();
            int lit_cells = 0;
            for (int row = 0; row < 24; ++row)
                for (int column = 0; column < 80; ++column)
                    lit_cells += reader.inkAt(screen, Position(column, row)) > 0 ? 1 : 0;
            return lit_cells > 100;
        },
        SCREEN_DEADLINE, Seconds(0.05));
    ASSERT_TRUE(splash_seen) << "the splash picture fills the screen";
    EXPECT_FALSE(reader.shows(screen, MENU_WELCOME, WELCOME));

    reachMenu();
    const struct {
        int row;
        const char* text;
    } menu[] = {
        {10, WELCOME},
        {11, "Below are the different levels available."},
        {12, "Select one using the keyboard."},
        {13, "Press Q to quit and F to return to the menu"},
        {14, "Levels:"},
        {15, "1. Easy"},
        {16, "2. Medium"},
        {17, "3. Hard"},
    };
    for (const auto& line : menu) {
        EXPECT_TRUE(reader.shows(screen, Position(0, line.row), line.text)) << line.text;
        EXPECT_EQ(reader.colorAt(screen, Position(0, line.row)), zp::BLUE) << line.text;
    }
    EXPECT_FALSE(reader.shows(screen, Position(0, 15), "1. Eas7"));
    saveScreenshot("menu");
}

class LevelStartTest : public PlayTest, public testing::WithParamInterface<int> {};

TEST_P(LevelStartTest, BoardShowsTrackTreasurePanelsAndCounters)
{
    const int level = GetParam();
    start();
    playLevel(level);
    expectBoardOf(level);
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, LevelStartTest, testing::Values(1, 2, 3));

TEST_F(PlayTest, DefendAWaveWithAGatling)
{
    const e2e::LevelData data = e2e::readLevel(1);
    const zp::Box turret = e2e::spriteBox(GATLING_KIND.build_sprite);
    const Position place = bestTurretCell(data, turret);
    ASSERT_GE(place.getX(), 0) << "no free cell beside the path";

    start();
    playLevel(1);
    const int ink_before = reader.inkAt(screen, place);

    game->click(GATLING_PANEL);
    game->moveTo(place);
    // The cursor follows the pointer onto the board.
    ASSERT_TRUE(e2e::waitUntil(
        [&] {
            screen = game->capture();
            return reader.inkAt(screen, place) > ink_before;
        },
        SCREEN_DEADLINE));
    game->click(place);
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 0, SCREEN_DEADLINE));
    EXPECT_GT(reader.inkAt(screen, place) + reader.inkAt(screen, Position(place.getX() + 1, place.getY())), 0)
        << "the turret is drawn where it was placed";

    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 10, PLAY_DEADLINE)) << "the first enemy was shot";
    ASSERT_TRUE(waitForCounter("Wave:", WAVE_X, 2, PLAY_DEADLINE));
    // The second wave's first enemy walks in from the start of the track.
    const Position entrance(data.enemy_start.getX() + 1, data.enemy_start.getY());
    EXPECT_TRUE(e2e::waitUntil(
        [&] {
            screen = game->capture();
            return reader.inkAt(screen, entrance) > 0;
        },
        SCREEN_DEADLINE, Seconds(0.1)));
    saveScreenshot("play");
    EXPECT_TRUE(reader.shows(screen, counterStart(LIVES_X, counter("Lives:", 10)), counter("Lives:", 10)));

    game->pressKey("f");
    ASSERT_TRUE(waitForText(GAME_OVER_TEXT, GAME_OVER));
    reachMenu();
    game->pressKey("q");
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0);

    // Shots are short bursts of noise over the soft music: sample-to-sample
    // changes far above the recording's usual level, many times over.
    const zp::test::WavSamples recording = zp::test::readWav(game->recordingPath());
    ASSERT_GT(recording.samples.size(), size_t(recording.sample_rate) * 5)
        << "seconds of sound were recorded";
    std::vector<double> sharpness = e2e::sharpnessPerWindow(recording, 0.05);
    std::vector<double> sorted = sharpness;
    std::sort(sorted.begin(), sorted.end());
    const double usual = sorted[sorted.size() / 2];
    int bursts = 0;
    for (double window : sharpness)
        bursts += window > 20 * usual + 1e-6 ? 1 : 0;
    EXPECT_GE(bursts, 5) << "the recording holds the Gatling's shots";
}

TEST_F(PlayTest, LoseTheLevelThenBackToTheMenu)
{
    start();
    playLevel(3);
    // Each life lasts only a few steps once an enemy stands at the treasure,
    // so any count below ten will do as proof that the lives fall.
    int lives_seen = 10;
    const bool losing = e2e::waitUntil(
        [&] {
            screen = game->capture();
            for (int lives = 9; lives >= 0; --lives)
                if (reader.shows(screen, counterStart(LIVES_X, counter("Lives:", lives)),
                                 counter("Lives:", lives)))
                    lives_seen = lives;
            return lives_seen < 10;
        },
        PLAY_DEADLINE, Seconds(0.05));
    ASSERT_TRUE(losing) << "an enemy reached the treasure";
    ASSERT_TRUE(waitForText(GAME_OVER_TEXT, GAME_OVER, PLAY_DEADLINE));
    EXPECT_EQ(reader.colorAt(screen, GAME_OVER_TEXT), zp::MAGENTA);
    reachMenu();
}

TEST_F(PlayTest, GiveUpThenQuitWithACleanLog)
{
    start();
    playLevel(2);
    game->pressKey("f");
    ASSERT_TRUE(waitForText(GAME_OVER_TEXT, GAME_OVER));
    reachMenu();
    game->pressKey("q");
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0);

    std::istringstream log(game->logText());
    int timing_lines = 0;
    for (std::string line; std::getline(log, line);) {
        if (std::regex_match(line, std::regex("Message: (draw|loop) time: -?[0-9]+")))
            ++timing_lines;
        else
            ADD_FAILURE() << "unexpected log line: " << line;
    }
    EXPECT_GT(timing_lines, 2 * 200) << "two timing lines per step, through splash, menu, play and game over";
}

TEST_F(PlayTest, WithoutTheMenuMusicTheMenuStillComes)
{
    e2e::RunOptions options;
    options.missing_data = {"Music/Menu.wav"};
    // Beside the build's program lies the whole data set; alone, the program
    // reads the run's.
    options.lone_copy = true;
    start(options);
    reachMenu();
    EXPECT_TRUE(game->isRunning());
}

TEST_F(PlayTest, LevelOptionStartsThatLevelWithoutSplashOrMenu)
{
    e2e::RunOptions options;
    options.arguments = {"--level", "2"};
    start(options);
    // The first picture with anything on it is already the board.
    const bool drawn = e2e::waitUntil(
        [&] {
            screen = game->capture();
            for (int row = 0; row < 24; ++row)
                for (int column = 0; column < 80; ++column)
                    if (reader.inkAt(screen, Position(column, row)) > 0)
                        return true;
            return false;
        },
        SCREEN_DEADLINE, Seconds(0.05));
    ASSERT_TRUE(drawn);
    EXPECT_TRUE(
        reader.shows(screen, counterStart(CURRENCY_X, counter("Currency:", 100)), counter("Currency:", 100)))
        << "no splash screen first";
    expectBoardOf(2);
    // Level 2's own board: some of level 1's track is not there.
    int level_one_blocks_missing = 0;
    for (const zp::Box& block : e2e::readLevel(1).blocks)
        level_one_blocks_missing += inkIn(block) == 0 ? 1 : 0;
    EXPECT_GT(level_one_blocks_missing, 0);

    // Giving up leads through the game-over screen to the menu, as ever.
    game->pressKey("f");
    ASSERT_TRUE(waitForText(GAME_OVER_TEXT, GAME_OVER));
    reachMenu();
}

} // namespace
