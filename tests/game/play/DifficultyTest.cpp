// The difficulties: their rows, the enemies' health and the lives of a game
// played at each, the menu's D key and line, and the difficulty a recording
// names.
#include "play/Difficulty.h"

#include "PlayHarness.h"
#include "app/RecordedRun.h"
#include "enemies/Enemy.h"
#include "play/WavePlan.h"
#include "play/WavesGame.h"
#include "screens/GameMenu.h"

#include "zp/InputRecording.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <string>

using namespace play;
using zp::Position;

namespace {

const Difficulty ALL[] = {Difficulty::CASUAL, Difficulty::NORMAL, Difficulty::VETERAN};

class Difficulties : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        chooseDifficulty(Difficulty::NORMAL);
    }

    void TearDown() override
    {
        chooseDifficulty(Difficulty::NORMAL);
        Play::TearDown();
    }
};

TEST_F(Difficulties, RowsScaleHealthAndSetTheLives)
{
    const struct {
        Difficulty difficulty;
        const char* name;
        const char* key;
        int lives;
        // The first wave's easy enemy (50), the fifth wave's medium (175),
        // the tenth wave's hard (400).
        int healths[3];
    } rows[] = {
        {Difficulty::CASUAL, "Casual", "casual", 20, {40, 140, 320}},
        {Difficulty::NORMAL, "Normal", "normal", 10, {50, 175, 400}},
        {Difficulty::VETERAN, "Veteran", "veteran", 5, {60, 210, 480}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_STREQ(difficultyRow(row.difficulty).name, row.name);
        EXPECT_STREQ(difficultyRow(row.difficulty).key, row.key);
        EXPECT_EQ(difficultyRow(row.difficulty).lives, row.lives);
        const int normal_healths[3] = {50, 175, 400};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(scaledHealth(normal_healths[i], row.difficulty), row.healths[i]);
        Difficulty read = Difficulty::NORMAL;
        ASSERT_EQ(difficultyFromKey(row.key, read), 0);
        EXPECT_EQ(read, row.difficulty);
    }
    // Rounded toward zero, and held within the int range.
    EXPECT_EQ(scaledHealth(7, Difficulty::CASUAL), 5);
    EXPECT_EQ(scaledHealth(7, Difficulty::VETERAN), 8);
    EXPECT_EQ(scaledHealth(2147483647, Difficulty::VETERAN), 2147483647);
    EXPECT_EQ(scaledHealth(2147483647, Difficulty::NORMAL), 2147483647);

    Difficulty unchanged = Difficulty::VETERAN;
    for (const char* bad : {"", "Normal", "hard", "veteran "})
        EXPECT_EQ(difficultyFromKey(bad, unchanged), -1) << bad;
    EXPECT_EQ(unchanged, Difficulty::VETERAN);
    EXPECT_EQ(difficultyKeys(), "casual, normal or veteran");
    EXPECT_EQ(nextDifficulty(Difficulty::CASUAL), Difficulty::NORMAL);
    EXPECT_EQ(nextDifficulty(Difficulty::NORMAL), Difficulty::VETERAN);
    EXPECT_EQ(nextDifficulty(Difficulty::VETERAN), Difficulty::CASUAL);
}

// A game takes the difficulty chosen when it starts: its lives, the health of
// the enemies it sends and the health its preview tells.
TEST_F(Difficulties, AGameSendsItsEnemiesAndCountsItsLivesAtItsDifficulty)
{
    const struct {
        Difficulty difficulty;
        int lives;
        int health;
        const char* preview;
    } cases[] = {{Difficulty::CASUAL, 20, 40, "Next wave 1: 1 easy 40hp"},
                 {Difficulty::NORMAL, 10, 50, "Next wave 1: 1 easy 50hp"},
                 {Difficulty::VETERAN, 5, 60, "Next wave 1: 1 easy 60hp"}};
    loadPlaySprites();
    for (const auto& c : cases) {
        SCOPED_TRACE(difficultyRow(c.difficulty).name);
        chooseDifficulty(c.difficulty);
        WavesGame* p_game = new WavesGame(levelFile("long"), pathFile("long"));
        // Chosen again later, it is the next game's.
        chooseDifficulty(Difficulty::NORMAL);
        EXPECT_EQ(p_game->getDifficulty(), c.difficulty);
        EXPECT_EQ(counter("Lives:"), c.lives);
        step();
        EXPECT_EQ(shown(23).substr(0, 24), c.preview);
        EXPECT_EQ(latestPlayResult().difficulty, c.difficulty);
        p_game->startNextWaveNow();
        step(21);
        ASSERT_EQ(objectsOf<Enemy>().size(), 1u);
        EXPECT_EQ(objectsOf<Enemy>().at(0)->getMaxHealth(), c.health);
        key(sf::Keyboard::F, zp::KEY_PRESSED);
        step();
    }
}

// The waves' own rules stay as they are: only the health each enemy is given changes.
TEST_F(Difficulties, LaterWavesScaleEveryKind)
{
    loadPlaySprites();
    chooseDifficulty(Difficulty::VETERAN);
    WavesGame* p_game = new WavesGame(levelFile("long"), pathFile("long"));
    WavePlan normal_plan;
    for (int wave = 2; wave <= 10; ++wave)
        normal_plan = planOfWave(normal_plan, wave);
    // Wave 10 at Normal: 11 easy 300, 2 medium 200, 1 hard 400.
    ASSERT_EQ(normal_plan.hard_health, 400);
    for (int wave = 1; wave < 10; ++wave) {
        p_game->startNextWaveNow();
        for (Enemy* p_enemy : objectsOf<Enemy>())
            p_enemy->takeDamage(100000);
        while (p_game->isSpawning()) {
            quickStep();
            for (Enemy* p_enemy : objectsOf<Enemy>())
                p_enemy->takeDamage(100000);
        }
    }
    const WavePlan coming = p_game->getComingWave();
    EXPECT_EQ(p_game->getWave(), 10);
    EXPECT_EQ(coming.easy_count, normal_plan.easy_count);
    EXPECT_EQ(coming.easy_health, 360);
    EXPECT_EQ(coming.medium_health, 240);
    EXPECT_EQ(coming.hard_health, 480);
}

TEST_F(Difficulties, TheMenuShowsTheDifficultyAndAPressOfDChangesIt)
{
    new GameMenu;
    const char* const shown_after_presses[] = {"Normal", "Veteran", "Casual", "Normal"};
    const char* const notes[] = {"enemy health 100%, 10 lives", "enemy health 120%, 5 lives",
                                 "enemy health 80%, 20 lives", "enemy health 100%, 10 lives"};
    for (int presses = 0; presses < 4; ++presses) {
        SCOPED_TRACE(presses);
        step();
        EXPECT_EQ(shown(19).substr(0, 15), "D. Difficulty: ");
        EXPECT_EQ(shown(19).substr(15, std::string(shown_after_presses[presses]).size()),
                  shown_after_presses[presses]);
        EXPECT_EQ(shown(19).substr(24, std::string(notes[presses]).size()), notes[presses]);
        key(sf::Keyboard::D, zp::KEY_PRESSED);
        // Held and released, the key changes nothing more.
        key(sf::Keyboard::D, zp::KEY_DOWN);
        key(sf::Keyboard::D, zp::KEY_RELEASED);
    }

    // The name stands out in yellow.
    zp::WorldManager::getInstance().draw();
    EXPECT_EQ(zp::GraphicsManager::getInstance().getDrawnColor(Position(15, 19)), zp::YELLOW);
    EXPECT_EQ(zp::GraphicsManager::getInstance().getDrawnColor(Position(0, 19)), zp::BLUE);

    // The level started from the menu is played at the difficulty shown.
    ASSERT_EQ(chosenDifficulty(), Difficulty::VETERAN);
    loadPlaySprites();
    key(sf::Keyboard::Num1, zp::KEY_PRESSED);
    ASSERT_EQ(objectsOf<WavesGame>().size(), 1u);
    EXPECT_EQ(objectsOf<WavesGame>().at(0)->getDifficulty(), Difficulty::VETERAN);
}

// A recording says the difficulty it starts at; one written before there
// were difficulties says none, and is played at Normal.
TEST_F(Difficulties, ARecordingNamesItsDifficulty)
{
    const struct {
        const char* text;
        int result;
        Difficulty difficulty;
        const char* error;
    } cases[] = {
        {"zp-recording 1\nmeta level 1\nend 10\n", 0, Difficulty::NORMAL, ""},
        {"zp-recording 1\nmeta level 2\nmeta difficulty veteran\nend 10\n", 0, Difficulty::VETERAN, ""},
        {"zp-recording 1\nmeta difficulty casual\nmeta level 0\nend 10\n", 0, Difficulty::CASUAL, ""},
        {"zp-recording 1\nmeta level 1\nmeta difficulty hard\nend 10\n", -1, Difficulty::NORMAL,
         "line 3: difficulty \"hard\" is not a difficulty (casual, normal or veteran)"},
        {"zp-recording 1\nmeta level 1\nmeta difficulty\nend 10\n", -1, Difficulty::NORMAL,
         "line 3: difficulty \"\" is not a difficulty (casual, normal or veteran)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string path = zp::test::writeFile("game.rec", c.text);
        zp::InputRecording recording;
        int level = -1;
        std::string error;
        EXPECT_EQ(readRecordingFile(path, recording, level, error), c.result);
        EXPECT_EQ(error, c.error);
        if (c.result == 0) {
            EXPECT_EQ(recordingDifficulty(recording), c.difficulty);
        }
    }
}

} // namespace
