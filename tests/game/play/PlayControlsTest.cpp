// The player's controls during play, driven as the input manager drives
// them: key events at the start of a frame, then the frame.
#include "play/PlayControls.h"

#include "PlayHarness.h"
#include "content/Controls.h"
#include "content/DataPaths.h"
#include "content/Resources.h"
#include "enemies/Enemy.h"
#include "level/LevelFiles.h"
#include "play/WavePlan.h"
#include "play/WaveSchedule.h"
#include "play/WavesGame.h"
#include "screens/GameOver.h"

#include "zp/Music.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>

using namespace play;
using zp::Position;

namespace {

const int NOTICE_ROW = 1;
const int PAUSED_X = 14;
const int SPEED_X = 24;
const int PREVIEW_ROW = 23;
const int OVERLAY_ROW = 21;

void press(int code)
{
    key(code, zp::KEY_PRESSED);
}

// Cells of a row of the frame shown last.
std::string at(int row, int column, size_t length)
{
    return shown(row).substr(size_t(column), length);
}

class Controls : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        loadMusic("background");
        p_game = new WavesGame(levelFile("long"), pathFile("long"));
        p_controls = objectsOf<PlayControls>().at(0);
    }

    static sf::SoundSource::Status levelMusic()
    {
        return zp::ResourceManager::getInstance().getMusic("background")->getMusic()->getStatus();
    }

    zp::GameManager& engine = zp::GameManager::getInstance();
    WavesGame* p_game = nullptr;
    PlayControls* p_controls = nullptr;
};

TEST_F(Controls, PauseKeysFreezePlayAndMusicUntilPressedAgain)
{
    for (int pause_key : {sf::Keyboard::P, sf::Keyboard::Space}) {
        SCOPED_TRACE(pause_key);
        step(3);
        const int countdown = p_game->getWaveCountdown();
        const int steps = engine.getStepCount();
        press(pause_key);
        EXPECT_TRUE(engine.isPaused());
        EXPECT_TRUE(p_controls->isPausedByPlayer());
        EXPECT_EQ(levelMusic(), sf::SoundSource::Paused);
        step(30);
        EXPECT_EQ(p_game->getWaveCountdown(), countdown);
        EXPECT_EQ(engine.getStepCount(), steps);
        EXPECT_EQ(at(NOTICE_ROW, PAUSED_X, 6), "PAUSED");
        EXPECT_EQ(at(1, 36, 9), "|Wave: 0|") << "the board stays drawn";

        press(pause_key);
        EXPECT_FALSE(engine.isPaused());
        EXPECT_EQ(levelMusic(), sf::SoundSource::Playing);
        step(2);
        EXPECT_EQ(p_game->getWaveCountdown(), countdown - 2);
        EXPECT_EQ(at(NOTICE_ROW, PAUSED_X, 6), "      ");
    }
}

TEST_F(Controls, KeysActWhenPressedNotWhenHeldOrReleased)
{
    for (zp::KeyboardAction action : {zp::KEY_DOWN, zp::KEY_RELEASED}) {
        for (int code : {sf::Keyboard::P, sf::Keyboard::Space, sf::Keyboard::Tab, sf::Keyboard::N,
                         sf::Keyboard::H, sf::Keyboard::Slash, sf::Keyboard::F3, sf::Keyboard::F12})
            key(code, action);
    }
    step();
    EXPECT_FALSE(engine.isPaused());
    EXPECT_EQ(engine.getStepsPerFrame(), 1);
    EXPECT_EQ(p_game->getWaveCountdown(), FIRST_WAVE_DELAY - 1);
    EXPECT_FALSE(p_controls->isHelpShown());
    EXPECT_FALSE(p_controls->isFrameOverlayShown());
    EXPECT_FALSE(logHas("Screenshot not saved: no window to capture, or 'cinderwatch-"));
}

TEST_F(Controls, TabCyclesTheSpeedShownOnTheBoard)
{
    const struct {
        int speed;
        const char* notice;
    } cycle[] = {{2, "Speed 2x"}, {4, "Speed 4x"}, {1, "        "}, {2, "Speed 2x"}};
    for (const auto& c : cycle) {
        SCOPED_TRACE(c.speed);
        press(sf::Keyboard::Tab);
        EXPECT_EQ(engine.getStepsPerFrame(), c.speed);
        const int steps = engine.getStepCount();
        const int countdown = p_game->getWaveCountdown();
        step();
        EXPECT_EQ(engine.getStepCount(), steps + c.speed);
        EXPECT_EQ(p_game->getWaveCountdown(), countdown - c.speed);
        EXPECT_EQ(at(NOTICE_ROW, SPEED_X, 8), c.notice);
    }
}

TEST_F(Controls, NextWaveNowSkipsTheRestOfTheCountdownOnly)
{
    step(10);
    press(sf::Keyboard::N);
    EXPECT_EQ(counter("Wave:"), 1);
    EXPECT_TRUE(p_game->isSpawning());
    EXPECT_EQ(p_game->getWaveCountdown(), WAVE_DELAY);
    // The wave runs as any other: its enemy on the 21st step after its start.
    step(20);
    EXPECT_TRUE(objectsOf<Enemy>().empty());
    step();
    ASSERT_EQ(objectsOf<Enemy>().size(), 1u);
    EXPECT_EQ(objectsOf<Enemy>().at(0)->getMaxHealth(), 50);

    // During a wave the key does nothing.
    press(sf::Keyboard::N);
    step(30);
    EXPECT_EQ(counter("Wave:"), 1);
    EXPECT_EQ(p_game->getWaveCountdown(), WAVE_DELAY);

    // Once the wave is over the key starts the next at once.
    objectsOf<Enemy>().at(0)->takeDamage(1000);
    step(25);
    ASSERT_FALSE(p_game->isSpawning());
    EXPECT_LT(p_game->getWaveCountdown(), WAVE_DELAY);
    press(sf::Keyboard::N);
    EXPECT_EQ(counter("Wave:"), 2);
    EXPECT_EQ(counter("Lives:"), 10);

    // Paused, the wave starts at once and waits with everything else.
    while (p_game->isSpawning()) {
        step();
        for (Enemy* p_enemy : objectsOf<Enemy>())
            p_enemy->takeDamage(p_enemy->getHealth());
    }
    press(sf::Keyboard::P);
    press(sf::Keyboard::N);
    step(30);
    EXPECT_EQ(counter("Wave:"), 3);
    EXPECT_TRUE(p_game->isSpawning());
    EXPECT_TRUE(objectsOf<Enemy>().empty());
    EXPECT_EQ(shown(PREVIEW_ROW), std::string(80, ' '));
}

TEST_F(Controls, TheCountdownShowsTheNextWaveAsItWillCome)
{
    step();
    EXPECT_EQ(shown(PREVIEW_ROW), "Next wave 1: 1 easy 50hp" + std::string(56, ' '));
    press(sf::Keyboard::N);
    step();
    EXPECT_EQ(shown(PREVIEW_ROW), std::string(80, ' ')) << "gone while the wave runs";

    // Waves 1 to 4 pass, each enemy shot as it comes; the preview tells each
    // next wave before it starts, with what the wave then sends.
    for (int wave = 2; wave <= 5; ++wave) {
        SCOPED_TRACE(wave);
        while (p_game->isSpawning()) {
            step();
            for (Enemy* p_enemy : objectsOf<Enemy>())
                p_enemy->takeDamage(p_enemy->getHealth());
        }
        step();
        const WavePlan coming = p_game->getComingWave();
        EXPECT_EQ(shown(PREVIEW_ROW).substr(0, wavePreviewText(wave, coming).size()),
                  wavePreviewText(wave, coming));
        press(sf::Keyboard::N);
        std::vector<int> healths;
        // A spawn every 21 steps, and the step that ends the wave.
        for (int i = 0; i < 21 * (coming.enemyCount() + 1); ++i) {
            step();
            for (Enemy* p_enemy : objectsOf<Enemy>())
                if (p_enemy->getHealth() > 0) {
                    healths.push_back(p_enemy->getMaxHealth());
                    p_enemy->takeDamage(p_enemy->getHealth());
                }
        }
        std::vector<int> expected(size_t(coming.easy_count), coming.easy_health);
        expected.insert(expected.end(), size_t(coming.medium_count), coming.medium_health);
        EXPECT_EQ(healths, expected);
    }
    EXPECT_EQ(shown(PREVIEW_ROW).substr(0, 39), "Next wave 6: 7 easy 130hp, 1 medium 175");
}

TEST_F(Controls, HelpListsTheKeysAndPlayWaitsWhileItShows)
{
    for (int help_key : {sf::Keyboard::H, sf::Keyboard::Slash}) {
        SCOPED_TRACE(help_key);
        const int countdown = p_game->getWaveCountdown();
        press(help_key);
        EXPECT_TRUE(p_controls->isHelpShown());
        EXPECT_TRUE(engine.isPaused());
        EXPECT_EQ(levelMusic(), sf::SoundSource::Paused);
        step(5);
        EXPECT_EQ(p_game->getWaveCountdown(), countdown);
        std::string screen;
        for (int row = 0; row < 24; ++row)
            screen += shown(row) + "\n";
        for (const char* line : {"Cinderwatch: keys and mouse",
                                 "1 2 3",
                                 "choose a level (menu)",
                                 "Left click",
                                 "Right click",
                                 "sell for half its cost",
                                 "P or Space",
                                 "Tab",
                                 "speed 1x, 2x, 4x",
                                 "next wave now",
                                 "H or ?",
                                 "F3",
                                 "F12",
                                 "screenshot beside the log",
                                 "give up the level",
                                 "Arrows",
                                 "move cursor (Shift: 5)",
                                 "buy Gatling/Rocket/Freeze",
                                 "Enter",
                                 "place, or select there",
                                 "Esc",
                                 "drop, unselect or pause",
                                 "X or Delete",
                                 "sell the selected turret",
                                 "aim of selected turret",
                                 "upgrade selected turret",
                                 "difficulty (menu)",
                                 "F11",
                                 "fullscreen (anywhere)",
                                 "H or ? to go back to the game"})
            EXPECT_NE(screen.find(line), std::string::npos) << line;
        // Every row of the table shows whole in two columns (keys from
        // columns 3 and 41, what they do twelve columns on), inside a frame
        // that fits the grid with every row of its sides standing.
        const auto lines = helpOverlayLines();
        const int rows = int(lines.size() + 1) / 2;
        const int bottom = 3 + rows + 5;
        ASSERT_LT(bottom, 24) << screen;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const auto& [keys, action] = lines[i];
            const int row = 6 + int(i) % rows;
            const int left = int(i) < rows ? 3 : 41;
            EXPECT_EQ(at(row, left, keys.size()), keys) << screen;
            EXPECT_EQ(at(row, left + 12, action.size()), action) << screen;
            EXPECT_EQ(at(row, 40, 1), " ") << "the columns touch on row " << row << "\n" << screen;
        }
        for (int row = 4; row < bottom; ++row)
            EXPECT_EQ(at(row, 1, 1) + at(row, 78, 1), "||") << "row " << row << "\n" << screen;
        EXPECT_EQ(at(bottom, 1, 78), "'" + std::string(76, '-') + "'") << screen;
        // The box hides the board under it: a buy panel's left edge is
        // blanked on the empty row above the way back.
        EXPECT_EQ(at(bottom - 2, 64, 4), "    ") << screen;
        EXPECT_EQ(at(bottom - 2, 1, 1), "|") << screen;

        press(help_key);
        EXPECT_FALSE(engine.isPaused());
        EXPECT_EQ(levelMusic(), sf::SoundSource::Playing);
        step();
        EXPECT_EQ(p_game->getWaveCountdown(), countdown - 1);
        EXPECT_EQ(at(17, 64, 4), "+---");
        EXPECT_EQ(at(17, 1, 1), " ");
    }
}

TEST_F(Controls, HelpAndPauseKeepEachOther)
{
    press(sf::Keyboard::P);
    press(sf::Keyboard::H);
    press(sf::Keyboard::H);
    EXPECT_TRUE(engine.isPaused()) << "still paused by the player";
    EXPECT_EQ(levelMusic(), sf::SoundSource::Paused);
    press(sf::Keyboard::H);
    press(sf::Keyboard::P);
    EXPECT_TRUE(engine.isPaused()) << "the help still shows";
    press(sf::Keyboard::Slash);
    EXPECT_FALSE(engine.isPaused());
    EXPECT_EQ(levelMusic(), sf::SoundSource::Playing);
}

// F gives up whatever the state of play: paused, fast, with the help shown.
TEST_F(Controls, GivingUpWhilePausedStillReachesTheGameOverScreen)
{
    const struct {
        const char* what;
        std::vector<int> keys;
    } cases[] = {
        {"paused", {sf::Keyboard::P}},
        {"with the help", {sf::Keyboard::H}},
        {"fast and paused", {sf::Keyboard::Tab, sf::Keyboard::Tab, sf::Keyboard::Space}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (int code : c.keys)
            press(code);
        step(3);
        press(sf::Keyboard::F);
        EXPECT_FALSE(engine.isPaused());
        EXPECT_EQ(engine.getStepsPerFrame(), 1);
        step();
        EXPECT_EQ(worldCount(), 1);
        ASSERT_EQ(objectsOf<GameOver>().size(), 1u);
        EXPECT_EQ(levelMusic(), sf::SoundSource::Stopped) << "not resumed by the end of the pause";
        step(GAME_OVER_STEPS);
        EXPECT_TRUE(objectsOf<GameOver>().empty());

        zp::WorldManager::getInstance().shutDown();
        zp::WorldManager::getInstance().startUp();
        p_game = new WavesGame(levelFile("long"), pathFile("long"));
        p_controls = objectsOf<PlayControls>().at(0);
    }
}

TEST_F(Controls, F3ShowsStepsPerSecondAndTheLastStepsTime)
{
    press(sf::Keyboard::F3);
    EXPECT_TRUE(p_controls->isFrameOverlayShown());
    step(3);
    EXPECT_TRUE(std::regex_match(shown(OVERLAY_ROW), std::regex("[0-9]+ steps/s *"))) << shown(OVERLAY_ROW);
    EXPECT_TRUE(std::regex_match(
        shown(OVERLAY_ROW + 1), std::regex("step [0-9]+\\.[0-9] ms, draw [0-9]+\\.[0-9] ms, [0-9]+ cells *")))
        << shown(OVERLAY_ROW + 1);
    press(sf::Keyboard::F3);
    step();
    EXPECT_EQ(shown(OVERLAY_ROW), std::string(80, ' '));
}

TEST_F(Controls, AScreenshotWithoutAWindowIsReportedInTheLog)
{
    press(sf::Keyboard::F12);
    const std::string log = zp::test::readFile(zp::test::runDir() + "/zephane.log");
    EXPECT_TRUE(std::regex_search(
        log,
        std::regex(
            "Message: Screenshot not saved: no window to capture, or "
            "'cinderwatch-[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}-[0-9]{2}-[0-9]{2}\\.png' cannot be written\n")))
        << log;
    for (const auto& entry : std::filesystem::directory_iterator(zp::test::runDir()))
        EXPECT_NE(entry.path().extension(), ".png") << entry.path();
}

// The picture goes beside the log wherever the log went (the state folder,
// when the working folder takes no files), not to the working folder.
TEST_F(Controls, AScreenshotIsAimedAtTheLogsOwnFolder)
{
    const std::string folder = zp::test::runDir() + "/state";
    std::filesystem::create_directories(folder);
    zp::LogManager& log = zp::LogManager::getInstance();
    log.shutDown();
    log.setLogFile(folder + "/zephane.log");
    ASSERT_EQ(log.startUp(), 0);
    log.setFlush(true);
    press(sf::Keyboard::F12);
    const std::string text = zp::test::readFile(folder + "/zephane.log");
    log.shutDown();
    log.setLogFile(zp::LOGFILE_NAME);
    ASSERT_EQ(log.startUp(), 0);
    EXPECT_NE(text.find("Message: Screenshot not saved: no window to capture, or '" +
                        (std::filesystem::path(folder) / "cinderwatch-").string()),
              std::string::npos)
        << text;
}

// The controls know the level controller only as a schedule of waves: any
// schedule will do, and the next-wave key and the preview go to it.
class FakeSchedule : public WaveSchedule {
public:
    int getWave() const override { return 7; }
    bool isSpawning() const override { return spawning; }
    bool isEnded() const override { return false; }
    WavePlan getComingWave() const override { return plan; }
    bool startNextWaveNow() override
    {
        ++started;
        spawning = true;
        return true;
    }

    WavePlan plan;
    bool spawning = false;
    int started = 0;
};

class ControlsOnASchedule : public Play {};

TEST_F(ControlsOnASchedule, TheNextWaveKeyAndThePreviewGoToTheSchedule)
{
    FakeSchedule schedule;
    schedule.plan.easy_count = 3;
    schedule.plan.hard_count = 2;
    new PlayControls(schedule);
    step();
    const std::string preview = wavePreviewText(7, schedule.plan);
    EXPECT_EQ(shown(PREVIEW_ROW), preview + std::string(80 - preview.size(), ' '));
    press(sf::Keyboard::N);
    EXPECT_EQ(schedule.started, 1);
    step();
    EXPECT_EQ(shown(PREVIEW_ROW), std::string(80, ' ')) << "no preview while a wave runs";
}

// On the shipped boards the notices take cells that no track, treasure,
// panel, counter or walking enemy (with its health bar) uses.
class ShippedBoards : public Play {};

TEST_F(ShippedBoards, NoticesStandWhereTheBoardLeavesRoom)
{
    loadResources();
    for (int level = 0; level < LEVEL_COUNT; ++level) {
        SCOPED_TRACE("level " + std::to_string(level + 1));
        new WavesGame(gameDataPath(LEVELS[level].level_file), gameDataPath(LEVELS[level].path_file));
        step();
        const std::string preview = shown(PREVIEW_ROW);
        // Before any key: the board, and the preview alone on its row.
        EXPECT_EQ(preview, "Next wave 1: 1 easy 50hp" + std::string(56, ' '));
        EXPECT_EQ(at(NOTICE_ROW, 12, 23), std::string(23, ' '));
        for (int row = OVERLAY_ROW; row < OVERLAY_ROW + 2; ++row)
            EXPECT_EQ(shown(row).substr(0, 12), std::string(12, ' ')) << row;

        const std::vector<zp::Position>& path = LevelManager::getInstance().getLevel()->getPath();
        ASSERT_FALSE(path.empty());
        for (const zp::Position& cell : path) {
            // The enemy's three cells and its health bar, a row up from one column left.
            EXPECT_GE(cell.getY() - 1, FIELD_TOP_ROW);
            EXPECT_LT(cell.getY(), PREVIEW_ROW);
            EXPECT_FALSE(cell.getY() >= OVERLAY_ROW && cell.getY() - 1 <= OVERLAY_ROW + 1 &&
                         cell.getX() - 1 <= 11)
                << cell.getX() << "," << cell.getY();
        }

        const std::string counters = shown(NOTICE_ROW);
        press(sf::Keyboard::Tab);
        press(sf::Keyboard::P);
        press(sf::Keyboard::F3);
        step();
        std::string expected_row = counters;
        expected_row.replace(PAUSED_X, 6, "PAUSED");
        expected_row.replace(SPEED_X, 8, "Speed 2x");
        EXPECT_EQ(shown(NOTICE_ROW), expected_row);
        // The overlay's two lines leave the track alone: no enemy passes under them.
        const std::regex overlay_lines[] = {
            std::regex("^[0-9]+ steps/s"),
            std::regex("^step [0-9]+\\.[0-9] ms, draw [0-9]+\\.[0-9] ms, [0-9]+ cells")};
        for (int line = 0; line < 2; ++line) {
            const int row = OVERLAY_ROW + line;
            std::smatch found;
            const std::string text = shown(row);
            ASSERT_TRUE(std::regex_search(text, found, overlay_lines[line])) << text;
            const int width = static_cast<int>(found.length(0));
            for (const zp::Position& cell : path)
                EXPECT_FALSE(cell.getY() >= row && cell.getY() - 1 <= row && cell.getX() - 1 < width)
                    << "the overlay's row " << row << " is " << width << " wide; the track passes "
                    << cell.getX() << "," << cell.getY();
        }
        EXPECT_EQ(shown(PREVIEW_ROW), preview);

        press(sf::Keyboard::F);
        step(2);
        zp::WorldManager::getInstance().shutDown();
        zp::WorldManager::getInstance().startUp();
    }
}

} // namespace
