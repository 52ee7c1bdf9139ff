#include "play/WavesGame.h"

#include "PlayHarness.h"
#include "enemies/EnemyEasy.h"
#include "enemies/EnemyHard.h"
#include "enemies/EnemyMedium.h"
#include "hud/CurrencyView.h"
#include "hud/LivesView.h"
#include "hud/WaveView.h"
#include "play/Reticle.h"
#include "play/Treasure.h"
#include "screens/GameOver.h"
#include "shop/FreezeInfo.h"
#include "shop/GatlingInfo.h"
#include "shop/RocketInfo.h"
#include "turrets/Gatling.h"

#include "zp/Music.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace play;
using zp::Position;

namespace {

class Waves : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        loadMusic("background");
    }

    static WavesGame* startGame(const std::string& board)
    {
        return new WavesGame(levelFile(board), pathFile(board));
    }

    static sf::SoundSource::Status levelMusic()
    {
        return zp::ResourceManager::getInstance().getMusic("background")->getMusic()->getStatus();
    }

    // The only object left is one game-over screen.
    static void expectOnlyTheGameOverScreen()
    {
        EXPECT_EQ(worldCount(), 1);
        EXPECT_EQ(objectsOf<GameOver>().size(), 1u);
    }
};

TEST_F(Waves, SetUpTheBoardAndPlayTheLevelMusic)
{
    WavesGame* p_game = startGame("short");
    EXPECT_EQ(p_game->getType(), "WavesGame");
    EXPECT_EQ(p_game->getSolidness(), zp::SPECTRAL);
    EXPECT_EQ(p_game->getWave(), 1);
    EXPECT_FALSE(p_game->isSpawning());

    // The controller, then the board of the level, then the playing screen in order.
    std::vector<std::string> order;
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        zp::Object* p_o = it.currentObject();
        std::string what = p_o->getType();
        if (auto* p_view = dynamic_cast<zp::ViewObject*>(p_o))
            what += " " + p_view->getViewString() + std::to_string(p_view->getValue());
        order.push_back(what);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"WavesGame", "", "Reticle", "CurrencyView Currency:100",
                                               "ViewObject Wave:0", "ViewObject Lives:10", "GatlingInfo",
                                               "RocketInfo", "FreezeInfo", "Treasure", "PlayControls"}))
        << "a block keeps the empty type of a plain object; the player's controls come last, drawn on top";
    EXPECT_EQ(objectsOf<CurrencyView>().at(0)->getPosition(), Position(55, 1));
    EXPECT_EQ(objectsOf<WaveView>().at(0)->getPosition(), Position(40, 1));
    EXPECT_EQ(objectsOf<LivesView>().at(0)->getPosition(), Position(6, 1));
    EXPECT_EQ(objectsOf<Treasure>().at(0)->getPosition(), SHORT_TREASURE);
    EXPECT_EQ(levelMusic(), sf::SoundSource::Playing);

    step();
    EXPECT_EQ(shown(1).substr(1, 11), "|Lives: 10|");
    EXPECT_EQ(shown(1).substr(36, 9), "|Wave: 0|");
    EXPECT_EQ(shown(1).substr(48, 15), "|Currency: 100|");
}

TEST_F(Waves, FirstWaveAtStep150AndItsEnemyAtStep171)
{
    WavesGame* p_game = startGame("long");
    step(149);
    EXPECT_EQ(counter("Wave:"), 0);
    EXPECT_FALSE(p_game->isSpawning());
    step();
    EXPECT_EQ(counter("Wave:"), 1);
    EXPECT_TRUE(p_game->isSpawning());
    EXPECT_EQ(p_game->getWave(), 2);
    step(20);
    EXPECT_TRUE(objectsOf<Enemy>().empty());
    step();
    ASSERT_EQ(objectsOf<EnemyEasy>().size(), 1u);
    EXPECT_EQ(objectsOf<Enemy>().at(0)->getMaxHealth(), 50);
    EXPECT_EQ(objectsOf<Enemy>().at(0)->getPosition(), ENEMY_START);
}

// Every enemy is shot as it appears, so each wave ends at its first action
// step after the last enemy; what each wave brings, and when.
TEST_F(Waves, GrowInSizeAndStrengthWithSteadyTiming)
{
    struct Spawn {
        int step;
        int wave;
        std::string kind;
        int health;
    };
    startGame("long");
    std::vector<Spawn> spawns;
    std::map<int, int> wave_start;
    int last_wave = 0;
    for (int i = 1; i <= 20000 && last_wave <= 20; ++i) {
        quickStep();
        const int wave = counter("Wave:");
        if (wave != last_wave) {
            wave_start[wave] = i;
            last_wave = wave;
        }
        for (Enemy* p_enemy : objectsOf<Enemy>()) {
            if (p_enemy->getHealth() <= 0)
                continue;
            std::string kind = dynamic_cast<EnemyEasy*>(p_enemy)     ? "easy"
                               : dynamic_cast<EnemyMedium*>(p_enemy) ? "medium"
                               : dynamic_cast<EnemyHard*>(p_enemy)   ? "hard"
                                                                     : "?";
            spawns.push_back({i, wave, kind, p_enemy->getMaxHealth()});
            p_enemy->takeDamage(p_enemy->getHealth());
        }
    }
    ASSERT_EQ(last_wave, 21);

    // Wave: easy count and health, medium count and health, hard count and health.
    struct Wave {
        int easy, easy_health, medium, medium_health, hard, hard_health;
    };
    const Wave table[21] = {
        {},
        {1, 50, 0, 0, 0, 0},
        {3, 60, 0, 0, 0, 0},
        {3, 60, 0, 0, 0, 0},
        {5, 70, 0, 0, 0, 0},
        {5, 120, 1, 175, 0, 0},
        {7, 130, 1, 175, 0, 0},
        {7, 130, 1, 175, 0, 0},
        {9, 140, 1, 175, 0, 0},
        {9, 140, 1, 175, 0, 0},
        {11, 300, 2, 200, 1, 400},
        {11, 300, 2, 200, 1, 400},
        {13, 310, 2, 200, 1, 400},
        {13, 310, 2, 200, 1, 400},
        {15, 320, 2, 200, 1, 400},
        {15, 370, 3, 225, 1, 400},
        {17, 380, 3, 225, 1, 400},
        {17, 380, 3, 225, 1, 400},
        {19, 390, 3, 225, 1, 400},
        {19, 390, 3, 225, 1, 400},
        {21, 550, 4, 250, 2, 500},
    };
    for (int wave = 1; wave <= 20; ++wave) {
        SCOPED_TRACE("wave " + std::to_string(wave));
        std::vector<std::string> expected;
        const Wave& w = table[wave];
        for (int n = 0; n < w.easy; ++n)
            expected.push_back("easy " + std::to_string(w.easy_health));
        for (int n = 0; n < w.medium; ++n)
            expected.push_back("medium " + std::to_string(w.medium_health));
        for (int n = 0; n < w.hard; ++n)
            expected.push_back("hard " + std::to_string(w.hard_health));

        std::vector<std::string> seen;
        std::vector<int> steps;
        for (const Spawn& s : spawns)
            if (s.wave == wave) {
                seen.push_back(s.kind + " " + std::to_string(s.health));
                steps.push_back(s.step);
            }
        EXPECT_EQ(seen, expected);
        ASSERT_FALSE(steps.empty());
        // The first enemy 21 steps into the wave, then one every 21 steps.
        EXPECT_EQ(steps.front(), wave_start[wave] + 21);
        for (size_t n = 1; n < steps.size(); ++n)
            EXPECT_EQ(steps[n] - steps[n - 1], 21) << n;
        // The wave ends on the action step after its last enemy; the next
        // starts 100 steps later.
        EXPECT_EQ(wave_start[wave + 1], steps.back() + 21 + 100);
    }
    EXPECT_EQ(wave_start[1], 150);
}

TEST_F(Waves, AnEnemyAtTheEndOfThePathKeepsItsWaveRunningUntilTheLivesAreGone)
{
    WavesGame* p_game = startGame("short");
    step(171);
    ASSERT_EQ(objectsOf<Enemy>().size(), 1u);
    // Its first step event comes in step 172: moves at its steps 3, 8 and 13
    // reach the end; its steps 18 ... 63 each cost a life.
    int game_over_step = 0;
    for (int i = 172; i <= 400 && game_over_step == 0; ++i) {
        step();
        if (!objectsOf<GameOver>().empty()) {
            game_over_step = i;
            break;
        }
        EXPECT_EQ(objectsOf<Enemy>().size(), 1u) << i;
        EXPECT_EQ(counter("Wave:"), 1) << i;
        EXPECT_TRUE(p_game->isSpawning()) << i;
        if (i == 189) {
            EXPECT_EQ(counter("Lives:"), 9);
        }
        if (i == 234) {
            EXPECT_EQ(counter("Lives:"), 0);
        }
    }
    // The lives view finds 0 at the next step and ends play.
    EXPECT_EQ(game_over_step, 235);
    expectOnlyTheGameOverScreen();
    EXPECT_EQ(levelMusic(), sf::SoundSource::Stopped);
}

TEST_F(Waves, GivingUpTwiceInOneFrameLeavesOneGameOverScreen)
{
    startGame("short");
    step(5);
    key(sf::Keyboard::F, zp::KEY_PRESSED);
    key(sf::Keyboard::F, zp::KEY_DOWN);
    step();
    expectOnlyTheGameOverScreen();
    EXPECT_EQ(levelMusic(), sf::SoundSource::Stopped);
}

TEST_F(Waves, NoEventReachesTheControllerAfterTheGameIsOver)
{
    WavesGame* p_game = startGame("short");
    step(170);
    // Given up while input is read in the frame of the first enemy.
    key(sf::Keyboard::F, zp::KEY_PRESSED);
    EXPECT_TRUE(p_game->isEnded());
    step();
    expectOnlyTheGameOverScreen();
    step(20);
    EXPECT_TRUE(objectsOf<Enemy>().empty());
}

TEST_F(Waves, ALevelThatDoesNotLoadStillPlaysAndEnds)
{
    zp::ResourceManager::getInstance().unloadMusic("background");
    for (const char* label : PANEL_LABELS)
        zp::ResourceManager::getInstance().unloadSprite(label);
    new WavesGame(levelFile("missing"), pathFile("missing"));
    EXPECT_EQ(LevelManager::getInstance().getLevel(), nullptr);
    EXPECT_TRUE(logHas("WavesGame::WavesGame(): Warning! Music 'background' not found"));
    EXPECT_TRUE(logHas("Treasure::Treasure(): Warning! No level loaded"));
    EXPECT_TRUE(logHas("GatlingInfo::GatlingInfo(): Warning! Sprite 'GatlingInfo' not found"));
    EXPECT_EQ(objectsOf<Treasure>().at(0)->getPosition(), Position(0, 0));

    // The enemy stands at the corner with no path and takes the lives.
    step(173);
    ASSERT_EQ(objectsOf<Enemy>().size(), 1u);
    EXPECT_EQ(counter("Lives:"), 10);
    step();
    EXPECT_EQ(objectsOf<Enemy>().at(0)->getPosition(), Position(0, 0));
    EXPECT_EQ(counter("Lives:"), 9);
    step(50);
    expectOnlyTheGameOverScreen();
}

// A level with more blocks than the world can hold beside play is refused,
// so the treasure, counters and panels still enter the world and F still
// gives up; nothing is left over once play has ended.
TEST_F(Waves, AnOvercrowdedLevelIsRefusedAndPlayKeepsItsWayOut)
{
    std::string text = "name Crowded\ndescription Too many blocks\nsize_x 80\nsize_y 24\nblock_count 5000\n"
                       "enemy_start_x 10\nenemy_start_y 10\ntreasure_x 14\ntreasure_y 10\nend\n";
    for (int i = 0; i < 5000; ++i)
        text += "block Block\npos_x 30\npos_y 15\nend\n";
    const std::string crowded = zp::test::writeFile("crowded.txt", text + "eof\n");

    new WavesGame(crowded, pathFile("short"));
    EXPECT_TRUE(logHas("Level file " + crowded + ": 5000 blocks do not fit in the world (room for " +
                       std::to_string(zp::MAX_OBJECTS - 1 - PLAY_OBJECTS_RESERVE - 1) + "); level refused"));
    EXPECT_EQ(LevelManager::getInstance().getLevel(), nullptr);
    EXPECT_EQ(objectsOf<Treasure>().size(), 1u);
    EXPECT_EQ(objectsOf<Reticle>().size(), 1u);
    EXPECT_EQ(counter("Lives:"), 10);
    EXPECT_EQ(counter("Currency:"), 100);
    EXPECT_EQ(objectsOfType<Info>("GatlingInfo").size() + objectsOfType<Info>("RocketInfo").size() +
                  objectsOfType<Info>("FreezeInfo").size(),
              3u);
    EXPECT_FALSE(logHas("World full"));

    step(3);
    key(sf::Keyboard::F, zp::KEY_PRESSED);
    step();
    expectOnlyTheGameOverScreen();
}

// A path through the corners of the number range (taken as the coordinate
// limits): the enemy walks it, is drawn, aimed at and counted like any other,
// and ends at the treasure.
TEST_F(Waves, AnEnemyWalksAPathThroughTheEndsOfTheNumberRange)
{
    const int LIMIT = zp::MAX_COORDINATE;
    new WavesGame(levelFile("short"), playFixture("levels/far-path.txt"));
    new Gatling(Position(12, 12));
    step(171);
    ASSERT_EQ(objectsOf<Enemy>().size(), 1u);
    const Enemy* p_enemy = objectsOf<Enemy>().at(0);
    std::vector<Position> visited;
    for (int i = 0; i < 30; ++i) {
        step();
        if (objectsOf<Enemy>().empty())
            break;
        if (visited.empty() || visited.back() != p_enemy->getPosition())
            visited.push_back(p_enemy->getPosition());
    }
    EXPECT_EQ(visited,
              (std::vector<Position>{Position(10, 10), Position(-LIMIT, -LIMIT), Position(LIMIT, LIMIT),
                                     Position(-LIMIT, LIMIT), Position(13, 10)}));
}

TEST_F(Waves, TheNextGameStartsAfresh)
{
    startGame("short");
    step(3);
    key(sf::Keyboard::F, zp::KEY_RELEASED);
    step();
    expectOnlyTheGameOverScreen();

    WavesGame* p_game = startGame("long");
    EXPECT_EQ(p_game->getWave(), 1);
    EXPECT_EQ(counter("Wave:"), 0);
    EXPECT_EQ(counter("Lives:"), 10);
    EXPECT_EQ(counter("Currency:"), 100);
    EXPECT_EQ(levelMusic(), sf::SoundSource::Playing);
    step(171);
    EXPECT_EQ(objectsOf<Enemy>().size(), 1u);
}

} // namespace
