// How a turret picks its target among the enemies in range: each mode on a
// fixture board with three enemies, ties broken by the oldest; the turret
// shoots the mode's pick, and T changes the mode of the turret under the
// pointer, shown beside it.
#include "turrets/Targeting.h"

#include "PlayHarness.h"
#include "enemies/EnemyEasy.h"
#include "play/PlayControls.h"
#include "play/WavesGame.h"
#include "turrets/Gatling.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace play;
using zp::Position;

namespace {

const TargetMode MODES[] = {TargetMode::FIRST, TargetMode::CLOSEST, TargetMode::STRONGEST,
                            TargetMode::WEAKEST, TargetMode::FURTHEST};
// Three rows below the long board's path (row 10).
const Position TURRET_CELL(25, 13);

// Three enemies in the order they entered the world: A, B, C.
struct Board {
    int health[3];
    Position at[3];
    // Walks a cell every step instead of every fifth, so it is further along the track.
    bool fast[3];
    // The enemy each mode picks, in the order of MODES.
    const char* picks;
};

class Targeting : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        loadBoard("long");
    }

    // The enemies walk six steps from the start, then stand where the case puts them.
    static std::vector<Enemy*> enemiesOf(const Board& board)
    {
        std::vector<Enemy*> enemies;
        for (int i = 0; i < 3; ++i) {
            enemies.push_back(new EnemyEasy(board.health[i]));
            if (board.fast[i])
                enemies.back()->setMoveDelay(0);
        }
        step(6);
        for (int i = 0; i < 3; ++i)
            enemies[i]->setPosition(board.at[i]);
        return enemies;
    }

    static char nameOf(const std::vector<Enemy*>& enemies, const Enemy* p_enemy)
    {
        for (int i = 0; i < 3; ++i)
            if (enemies[i] == p_enemy)
                return char('A' + i);
        return '-';
    }
};

TEST_F(Targeting, EachModePicksItsEnemyAndTiesGoToTheOldest)
{
    // Scaled distances from the turret: (40, 10) 16, (27, 12) 3, (12, 10) 15,
    // (30, 13) and (20, 13) 5, (35, 13) 10, (25, 11) 5, (25, 10) 7.
    const Board boards[] = {
        // A far and middling, B near and strong, C weak and ahead.
        {{200, 500, 100}, {{40, 10}, {27, 12}, {12, 10}}, {false, false, true}, "ABBCC"},
        // B and C tie in every mode but the first: B, the older, wins.
        {{400, 100, 100}, {{35, 13}, {30, 13}, {20, 13}}, {false, true, true}, "ABABB"},
        // All alike: every mode takes the oldest.
        {{300, 300, 300}, {{30, 13}, {20, 13}, {25, 11}}, {false, false, false}, "AAAAA"},
        // The newest wins wherever it is strictly ahead.
        {{100, 200, 300}, {{25, 11}, {25, 10}, {40, 10}}, {false, false, true}, "AACAC"},
    };
    for (const Board& board : boards) {
        SCOPED_TRACE(board.picks);
        const std::vector<Enemy*> enemies = enemiesOf(board);
        std::string picks;
        for (TargetMode mode : MODES)
            picks += nameOf(enemies, pickTarget(enemies, TURRET_CELL, mode));
        EXPECT_EQ(picks, board.picks);
        for (Enemy* p_enemy : enemies)
            zp::WorldManager::getInstance().markForDelete(p_enemy);
        step();
    }
    EXPECT_EQ(pickTarget({}, TURRET_CELL, TargetMode::STRONGEST), nullptr);
}

TEST_F(Targeting, ModesGoRoundWithTheirNamesAndLetters)
{
    std::string seen;
    TargetMode mode = TargetMode::FIRST;
    for (int i = 0; i < 6; ++i) {
        seen += std::string(targetModeName(mode)) + "=" + targetModeLetter(mode) + " ";
        mode = nextTargetMode(mode);
    }
    EXPECT_EQ(seen, "first=F closest=C strongest=S weakest=W furthest=E first=F ");
}

// The turret shoots what its mode picks: here the older enemy is far, the
// newer one near and weaker.
TEST_F(Targeting, TheTurretShootsTheEnemyItsModePicks)
{
    Turret* p_turret = new Gatling(TURRET_CELL);
    Enemy* p_far = new EnemyEasy(1000);
    Enemy* p_near = new EnemyEasy(500);
    const struct {
        TargetMode mode;
        bool hits_near;
    } cases[] = {{TargetMode::FIRST, false},
                 {TargetMode::CLOSEST, true},
                 {TargetMode::STRONGEST, false},
                 {TargetMode::WEAKEST, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(targetModeName(c.mode));
        p_turret->setTargetMode(c.mode);
        // Both stand still within range; the shot comes within two steps.
        p_far->setHealth(1000);
        p_near->setHealth(500);
        for (int i = 0; i < 2; ++i) {
            p_far->setPosition(Position(40, 10));
            p_near->setPosition(Position(27, 12));
            step();
        }
        EXPECT_EQ(p_far->getHealth(), c.hits_near ? 1000 : 995);
        EXPECT_EQ(p_near->getHealth(), c.hits_near ? 495 : 500);
    }
}

class TargetingKey : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        new WavesGame(levelFile("long"), pathFile("long"));
        p_controls = objectsOf<PlayControls>().at(0);
    }

    PlayControls* p_controls = nullptr;
};

// T acts on the turret under the pointer, whatever the game's state; the
// letter of any mode but the first stands beside the turret's top right.
TEST_F(TargetingKey, TCyclesTheModeOfTheTurretUnderThePointer)
{
    // The fixture's turret sprite is one cell: the letter goes right of it.
    Turret* p_pointed = new Gatling(Position(20, 15));
    Turret* p_other = new Gatling(Position(30, 18));
    key(sf::Keyboard::T, zp::KEY_PRESSED);
    EXPECT_EQ(p_pointed->getTargetMode(), TargetMode::FIRST) << "no pointer yet, no turret";

    moveMouse(Position(20, 15));
    EXPECT_EQ(p_controls->commandedTurret(), p_pointed);
    std::string letters;
    for (int i = 0; i < 5; ++i) {
        key(sf::Keyboard::T, zp::KEY_PRESSED);
        step();
        letters += shown(15)[21];
    }
    EXPECT_EQ(letters, "CSWE ");
    EXPECT_EQ(p_pointed->getTargetMode(), TargetMode::FIRST);

    // Held or released, T does nothing; paused, it still acts.
    key(sf::Keyboard::T, zp::KEY_DOWN);
    key(sf::Keyboard::T, zp::KEY_RELEASED);
    EXPECT_EQ(p_pointed->getTargetMode(), TargetMode::FIRST);
    zp::GameManager::getInstance().setPaused(true);
    key(sf::Keyboard::T, zp::KEY_PRESSED);
    EXPECT_EQ(p_pointed->getTargetMode(), TargetMode::CLOSEST);
    zp::GameManager::getInstance().setPaused(false);

    // Off every turret, or on a sold one, T does nothing.
    moveMouse(Position(21, 15));
    EXPECT_EQ(p_controls->commandedTurret(), nullptr);
    key(sf::Keyboard::T, zp::KEY_PRESSED);
    moveMouse(Position(30, 18));
    p_other->sell();
    key(sf::Keyboard::T, zp::KEY_PRESSED);
    EXPECT_EQ(p_pointed->getTargetMode(), TargetMode::CLOSEST);
    EXPECT_EQ(p_other->getTargetMode(), TargetMode::FIRST);
}

} // namespace
