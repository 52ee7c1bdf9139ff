// What the menu and the game-over screen show of what the player keeps:
// the best result beside each level, the save to continue, the settings
// key and notices about files; the game's statistics and a new best.
#include "LiveDriver.h"
#include "ReplayHarness.h"
#include "play/Difficulty.h"
#include "progress/PlayerProgress.h"
#include "progress/Records.h"
#include "screens/GameMenu.h"
#include "screens/GameOver.h"
#include "support/RunDir.h"

#include "zp/GraphicsManager.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <string>

namespace {

using namespace live;

// A row of the frame shown last, without its trailing blanks.
std::string shown(int row)
{
    std::string text = zp::GraphicsManager::getInstance().shownRow(row);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

class ProgressScreens : public zp::test::RealGame {
protected:
    void SetUp() override
    {
        RealGame::SetUp();
        zp::GameManager::getInstance().setPaced(false);
        records_path = zp::test::runDir() + "/player/records";
    }

    void TearDown() override
    {
        PlayerProgress::getInstance().stop();
        RealGame::TearDown();
    }

    void startProgress()
    {
        PlayerProgress::getInstance().start(records_path, zp::test::runDir() + "/player/saves", true);
    }

    std::string records_path;
    Driver driver;
};

TEST_F(ProgressScreens, TheMenuShowsTheBestResultBesideEachLevel)
{
    zp::test::writeFile(records_path, "cinderwatch-records 1\n"
                                      "best level 1 difficulty normal wave 8 enemies 43 steps 3955\n"
                                      "best level 3 difficulty normal wave 12 enemies 120 steps 30000\n"
                                      "end\n");
    startProgress();
    new GameMenu;
    driver.frame();
    EXPECT_EQ(shown(15), "1. Easy     best: wave 8, 43 enemies, 2:10");
    EXPECT_EQ(shown(16), "2. Medium");
    EXPECT_EQ(shown(17), "3. Hard     best: wave 12, 120 enemies, 16:30");
    EXPECT_EQ(shown(20), "") << "no save to continue";
    EXPECT_EQ(shown(21), "S  settings");
    EXPECT_EQ(shown(22), "");
}

TEST_F(ProgressScreens, WithoutTheKeptFilesTheMenuIsAsBeforeWithTheSettingsKey)
{
    new GameMenu;
    driver.frame();
    EXPECT_EQ(shown(15), "1. Easy");
    EXPECT_EQ(shown(20), "");
    EXPECT_EQ(shown(21), "S  settings");
}

TEST_F(ProgressScreens, AnUnreadableRecordsFileIsNamedOnTheMenu)
{
    zp::test::writeFile(records_path, "garbage\n");
    startProgress();
    new GameMenu;
    driver.frame();
    EXPECT_EQ(shown(15), "1. Easy");
    EXPECT_NE(shown(22).find("Best results unreadable"), std::string::npos) << shown(22);
    EXPECT_NE(shown(22).find("moved aside"), std::string::npos) << shown(22);
    EXPECT_NE(shown(22).find("(the log says where)."), std::string::npos) << "whole within 80 columns";
}

// Each difficulty has best results of its own: the menu shows those of the
// difficulty it would play, and a game beats only the best of its own.
TEST_F(ProgressScreens, BestResultsAreKeptPerDifficulty)
{
    struct ChosenAgain {
        ~ChosenAgain() { chooseDifficulty(Difficulty::NORMAL); }
    } normal_again;
    zp::test::writeFile(records_path, "cinderwatch-records 1\n"
                                      "best level 1 difficulty normal wave 8 enemies 43 steps 3955\n"
                                      "best level 2 difficulty veteran wave 3 enemies 9 steps 1200\n"
                                      "end\n");
    startProgress();
    new GameMenu;
    driver.frame();
    EXPECT_EQ(shown(15), "1. Easy     best: wave 8, 43 enemies, 2:10");
    EXPECT_EQ(shown(16), "2. Medium");
    driver.press(sf::Keyboard::D);
    driver.frame();
    ASSERT_EQ(chosenDifficulty(), Difficulty::VETERAN);
    EXPECT_EQ(shown(15), "1. Easy");
    EXPECT_EQ(shown(16), "2. Medium   best: wave 3, 9 enemies, 0:39");

    // A Veteran game of level 1 is the first at Veteran: a new best there,
    // the Normal one untouched.
    driver.press(sf::Keyboard::Num1);
    ASSERT_TRUE(driver.until([] { return counterValue("Wave:") == 1; }));
    driver.press(sf::Keyboard::F);
    driver.frames(2);
    ASSERT_EQ(objectsOf<GameOver>().size(), 1u);
    EXPECT_EQ(shown(16), "                 New best for level 1: wave 1!");
    const Records& records = PlayerProgress::getInstance().getRecords();
    ASSERT_NE(records.best(1, "veteran"), nullptr);
    EXPECT_EQ(records.best(1, "veteran")->wave, 1);
    ASSERT_NE(records.best(1, "normal"), nullptr);
    EXPECT_EQ(records.best(1, "normal")->wave, 8);
}

// Each game over shows how the game went; a game that beats the level's
// best says so, one that does not says nothing of it.
TEST_F(ProgressScreens, TheGameOverScreenShowsTheGameAndANewBest)
{
    startProgress();
    startFirstScreen(1);
    PlayerProgress::getInstance().levelStarted(1);
    ASSERT_TRUE(driver.until([] { return counterValue("Wave:") == 1; }));
    driver.press(sf::Keyboard::F);
    driver.frames(2);
    ASSERT_EQ(objectsOf<GameOver>().size(), 1u);
    EXPECT_EQ(shown(8), "                 Wave reached:       1");
    EXPECT_EQ(shown(9), "                 Enemies destroyed:  0 (none)");
    EXPECT_EQ(shown(10), "                 Turrets built:      none");
    EXPECT_EQ(shown(11), "                 Turrets sold:       none");
    EXPECT_EQ(shown(12), "                 Currency earned:    0, spent: 0");
    EXPECT_EQ(shown(13), "                 Lives lost:         0");
    EXPECT_EQ(shown(14).substr(0, 37), "                 Time played:        ");
    EXPECT_EQ(shown(16), "                 New best for level 1: wave 1!");
    const BestResult* p_best = PlayerProgress::getInstance().getRecords().best(1, DIFFICULTY_DEFAULT);
    ASSERT_NE(p_best, nullptr);
    EXPECT_EQ(p_best->wave, 1);

    // Back to the menu, which shows it; a shorter game is no news.
    ASSERT_TRUE(driver.until([] { return !objectsOf<GameMenu>().empty(); }));
    driver.frame();
    EXPECT_EQ(shown(15).substr(0, 30), "1. Easy     best: wave 1, 0 en");
    driver.press(sf::Keyboard::Num1);
    driver.frames(3);
    driver.press(sf::Keyboard::F);
    driver.frames(2);
    ASSERT_EQ(objectsOf<GameOver>().size(), 1u);
    EXPECT_EQ(shown(8), "                 Wave reached:       0");
    EXPECT_EQ(shown(16), "");

    // A game that reaches wave 2 beats it.
    ASSERT_TRUE(driver.until([] { return !objectsOf<GameMenu>().empty(); }));
    driver.press(sf::Keyboard::Num1);
    driver.frame();
    ASSERT_NO_FATAL_FAILURE(buildAGatling(driver));
    ASSERT_TRUE(driver.until([] { return counterValue("Wave:") == 2; }));
    driver.press(sf::Keyboard::F);
    driver.frames(2);
    EXPECT_EQ(shown(9), "                 Enemies destroyed:  1 (1 easy)");
    EXPECT_EQ(shown(10), "                 Turrets built:      1 Gatling");
    EXPECT_EQ(shown(12), "                 Currency earned:    10, spent: 100");
    EXPECT_EQ(shown(16), "                 New best for level 1: wave 2 (before: wave 1, 0 enemies)!");
}

} // namespace
