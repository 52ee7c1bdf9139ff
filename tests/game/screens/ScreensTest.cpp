#include "GameDataTree.h"
#include "GameFixture.h"
#include "level/Level.h"
#include "level/LevelManager.h"
#include "play/WavesGame.h"
#include "screens/GameMenu.h"
#include "screens/GameOver.h"
#include "screens/SplashScreen.h"
#include "support/RunDir.h"
#include "support/Wav.h"

#include "zp/EventKeyboard.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/Music.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using zp::Position;

namespace {

const char* const MENU_LINES[] = {
    "Welcome to Cinderwatch!!",
    "Below are the different levels available.",
    "Select one using the keyboard.",
    "Press Q to quit and F to return to the menu",
    "Levels:",
    "1. Easy",
    "2. Medium",
    "3. Hard",
};
const int MENU_FIRST_ROW = 10;
const char* const GAME_OVER_NOTE = "You will be brought back to the main menu shortly";

template <typename T> int countOf()
{
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    int count = 0;
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next())
        if (dynamic_cast<T*>(it.currentObject()) != nullptr)
            ++count;
    return count;
}

void sendKey(int key, zp::KeyboardAction action)
{
    zp::EventKeyboard event;
    event.setKey(key);
    event.setKeyboardAction(action);
    zp::WorldManager::getInstance().onEvent(&event);
}

void steps(int count)
{
    for (int i = 0; i < count; ++i)
        zp::GameManager::getInstance().frame();
}

std::string trimmed(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// A menu whose end can be observed.
class CountedMenu : public GameMenu {
public:
    ~CountedMenu() override { ++destroyed; }
    static inline int destroyed = 0;
};

// The engine started with a window, and a data folder of this test's own:
// three small levels (level n has n + 1 path points along row n) and the
// screens' pictures and music unless a test leaves them out.
class Screens : public zp::test::GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        const std::string data = zp::test::privateGameData();
        for (int n = 1; n <= 3; ++n) {
            const std::string folder =
                data + "/Levels/Level" + std::to_string(n) + "/Level" + std::to_string(n);
            zp::test::writeFile(folder + ".txt", zp::test::levelText("Fixture" + std::to_string(n), n));
            zp::test::writeFile(folder + "Mov.txt", zp::test::pathText(n + 1, n));
        }
    }

    static void loadScreens()
    {
        zp::ResourceManager& resources = zp::ResourceManager::getInstance();
        ASSERT_EQ(resources.loadSprite(zp::test::fixture("screens/splash.txt"), "splashscreen"), 0);
        ASSERT_EQ(resources.loadSprite(zp::test::fixture("screens/menu.txt"), "menu"), 0);
        ASSERT_EQ(resources.loadSprite(zp::test::fixture("screens/gameover.txt"), "gameover"), 0);
        const std::string menu_wav = zp::test::runDir() + "/menu.wav";
        const std::string background_wav = zp::test::runDir() + "/background.wav";
        ASSERT_TRUE(zp::test::writeToneWav(menu_wav, 80000));
        ASSERT_TRUE(zp::test::writeToneWav(background_wav, 40000));
        ASSERT_EQ(resources.loadMusic(menu_wav, "menu"), 0);
        ASSERT_EQ(resources.loadMusic(background_wav, "background"), 0);
    }

    static sf::Music& menuMusic() { return *zp::ResourceManager::getInstance().getMusic("menu")->getMusic(); }

    static zp::GraphicsManager& graphics() { return zp::GraphicsManager::getInstance(); }

    static void expectMenuDrawn(bool shown)
    {
        for (int i = 0; i < 8; ++i) {
            const int row = MENU_FIRST_ROW + i;
            SCOPED_TRACE(row);
            const std::string text = shown ? graphics().shownRow(row) : graphics().drawnRow(row);
            EXPECT_EQ(trimmed(text), MENU_LINES[i]);
        }
    }
};

TEST_F(Screens, SplashShowsItsPictureUntilTheHundredthStep)
{
    loadScreens();
    new SplashScreen;
    steps(SPLASH_SCREEN_STEPS - 1);
    EXPECT_EQ(countOf<SplashScreen>(), 1);
    EXPECT_EQ(countOf<GameMenu>(), 0);
    EXPECT_EQ(graphics().shownRow(0).substr(0, 7), "SPLASH ");
    EXPECT_EQ(graphics().shownRow(1).substr(0, 7), "+----+ ");
    EXPECT_EQ(menuMusic().getStatus(), sf::SoundSource::Stopped);

    steps(1);
    EXPECT_EQ(countOf<SplashScreen>(), 0);
    EXPECT_EQ(countOf<GameMenu>(), 1);
    expectMenuDrawn(true);
    EXPECT_EQ(menuMusic().getStatus(), sf::SoundSource::Playing);
}

TEST_F(Screens, MenuDrawsItsPictureAndNineItems)
{
    loadScreens();
    new GameMenu;
    zp::WorldManager::getInstance().draw();

    // Frame 0 of "menu" with its top-left cell at (8, 0), in the sprite's colour.
    EXPECT_EQ(graphics().drawnRow(0), std::string(8, ' ') + "MENU" + std::string(68, ' '));
    EXPECT_EQ(graphics().drawnRow(1), std::string(8, ' ') + "/\\/\\" + std::string(68, ' '));
    EXPECT_EQ(graphics().getDrawnColor(Position(8, 0)), zp::YELLOW);
    EXPECT_EQ(graphics().getDrawnColor(Position(11, 1)), zp::YELLOW);

    expectMenuDrawn(false);
    for (int i = 0; i < 8; ++i) {
        const int row = MENU_FIRST_ROW + i;
        const int last = int(std::string(MENU_LINES[i]).size()) - 1;
        EXPECT_EQ(graphics().getDrawnColor(Position(0, row)), zp::BLUE) << row;
        EXPECT_EQ(graphics().getDrawnColor(Position(last, row)), zp::BLUE) << row;
    }
    for (int row : {2, 9, 18, 23})
        EXPECT_EQ(trimmed(graphics().drawnRow(row)), "") << row;
}

TEST_F(Screens, MenuPlaysItsMusicLooping)
{
    loadScreens();
    new GameMenu;
    EXPECT_EQ(menuMusic().getStatus(), sf::SoundSource::Playing);
    EXPECT_TRUE(menuMusic().getLoop());
}

TEST_F(Screens, QuitKeyEndsTheGameWhateverItsAction)
{
    loadScreens();
    new GameMenu;
    zp::GameManager& game = zp::GameManager::getInstance();
    for (zp::KeyboardAction action : {zp::KEY_PRESSED, zp::KEY_DOWN, zp::KEY_DOWN, zp::KEY_RELEASED}) {
        game.setGameOver(false);
        sendKey(sf::Keyboard::Q, action);
        EXPECT_TRUE(game.getGameOver()) << action;
    }
    // The menu stays, and so does its music, until the program shuts down.
    EXPECT_EQ(countOf<GameMenu>(), 1);
    EXPECT_EQ(countOf<WavesGame>(), 0);
    EXPECT_EQ(menuMusic().getStatus(), sf::SoundSource::Playing);
}

TEST_F(Screens, OtherKeysDoNothing)
{
    loadScreens();
    new GameMenu;
    const int keys[] = {sf::Keyboard::Numpad1, sf::Keyboard::Numpad2, sf::Keyboard::Numpad3,
                        sf::Keyboard::Num0,    sf::Keyboard::Num4,    sf::Keyboard::F,
                        sf::Keyboard::Escape,  sf::Keyboard::Unknown};
    for (int key : keys)
        for (zp::KeyboardAction action : {zp::KEY_PRESSED, zp::KEY_DOWN, zp::KEY_RELEASED})
            sendKey(key, action);
    steps(1);
    EXPECT_FALSE(zp::GameManager::getInstance().getGameOver());
    EXPECT_EQ(countOf<GameMenu>(), 1);
    EXPECT_EQ(countOf<WavesGame>(), 0);
    EXPECT_EQ(LevelManager::getInstance().getLevel(), nullptr);
    EXPECT_EQ(menuMusic().getStatus(), sf::SoundSource::Playing);
}

struct LevelKey {
    const char* name;
    int key;
    const char* level_name;
    int path_points;
    int row;
};

class MenuLevelKey : public Screens, public testing::WithParamInterface<LevelKey> {};

TEST_P(MenuLevelKey, StartsExactlyOneLevelWithItsFilesEvenWhileHeld)
{
    const LevelKey& c = GetParam();
    loadScreens();
    CountedMenu::destroyed = 0;
    new CountedMenu;

    // Pressed, then held across two polls and released: one level only.
    sendKey(c.key, zp::KEY_PRESSED);
    sendKey(c.key, zp::KEY_DOWN);
    sendKey(c.key, zp::KEY_DOWN);
    sendKey(c.key, zp::KEY_RELEASED);

    EXPECT_EQ(countOf<WavesGame>(), 1);
    EXPECT_EQ(countOf<GameMenu>(), 0); // out of the world at once
    EXPECT_EQ(menuMusic().getStatus(), sf::SoundSource::Stopped);
    EXPECT_EQ(menuMusic().getPlayingOffset(), sf::Time::Zero);

    const Level* level = LevelManager::getInstance().getLevel();
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->getName(), c.level_name);
    EXPECT_EQ(level->getEnemyStartY(), c.row);
    EXPECT_EQ(int(level->getPath().size()), c.path_points);

    // The menu that left the world is given back at the next update.
    EXPECT_EQ(CountedMenu::destroyed, 0);
    steps(1);
    EXPECT_EQ(CountedMenu::destroyed, 1);
    EXPECT_EQ(countOf<WavesGame>(), 1);
    EXPECT_FALSE(zp::GameManager::getInstance().getGameOver());
}

const LevelKey LEVEL_KEYS[] = {
    {"Key1", sf::Keyboard::Num1, "Fixture1", 2, 1},
    {"Key2", sf::Keyboard::Num2, "Fixture2", 3, 2},
    {"Key3", sf::Keyboard::Num3, "Fixture3", 4, 3},
};

INSTANTIATE_TEST_SUITE_P(Screens, MenuLevelKey, testing::ValuesIn(LEVEL_KEYS),
                         [](const testing::TestParamInfo<LevelKey>& param_info) {
                             return param_info.param.name;
                         });

TEST_F(Screens, GameOverShowsItsTextThenAFreshMenu)
{
    loadScreens();
    new GameOver;
    zp::WorldManager::getInstance().draw();
    EXPECT_EQ(graphics().drawnRow(0).substr(12, 6), "OVER! ");
    EXPECT_EQ(graphics().drawnRow(1).substr(12, 6), "~~~~~ ");
    EXPECT_EQ(graphics().getDrawnColor(Position(12, 0)), zp::RED);
    EXPECT_EQ(graphics().drawnRow(6), std::string(17, ' ') + GAME_OVER_NOTE + std::string(14, ' '));
    EXPECT_EQ(graphics().getDrawnColor(Position(17, 6)), zp::MAGENTA);
    EXPECT_EQ(graphics().getDrawnColor(Position(65, 6)), zp::MAGENTA);

    steps(GAME_OVER_STEPS - 1);
    EXPECT_EQ(countOf<GameOver>(), 1);
    EXPECT_EQ(countOf<GameMenu>(), 0);
    EXPECT_EQ(menuMusic().getStatus(), sf::SoundSource::Stopped);

    steps(1);
    EXPECT_EQ(countOf<GameOver>(), 0);
    EXPECT_EQ(countOf<GameMenu>(), 1);
    expectMenuDrawn(true);
    EXPECT_EQ(menuMusic().getStatus(), sf::SoundSource::Playing);
}

// Splash, menu, a level, its end and back to a fresh menu, driven by the loop.
TEST_F(Screens, FullCycleBackToAFreshMenu)
{
    loadScreens();
    new SplashScreen;
    steps(SPLASH_SCREEN_STEPS);
    ASSERT_EQ(countOf<GameMenu>(), 1);

    sendKey(sf::Keyboard::Num2, zp::KEY_PRESSED);
    steps(5);
    ASSERT_EQ(countOf<WavesGame>(), 1);
    EXPECT_EQ(menuMusic().getStatus(), sf::SoundSource::Stopped);

    zp::Event game_over;
    game_over.setType("GameOver");
    zp::WorldManager::getInstance().onEvent(&game_over);
    steps(1);
    // Everything of the level is gone; the game-over screen alone remains.
    EXPECT_EQ(countOf<GameOver>(), 1);
    EXPECT_EQ(zp::WorldManager::getInstance().getAllObjects().getCount(), 1);
    EXPECT_EQ(trimmed(graphics().shownRow(6)), std::string(17, ' ') + GAME_OVER_NOTE);
    EXPECT_EQ(menuMusic().getStatus(), sf::SoundSource::Stopped);

    steps(GAME_OVER_STEPS - 1);
    EXPECT_EQ(countOf<GameMenu>(), 1);
    EXPECT_EQ(countOf<GameOver>(), 0);
    EXPECT_EQ(menuMusic().getStatus(), sf::SoundSource::Playing);
    expectMenuDrawn(true);

    // The fresh menu starts a level again.
    sendKey(sf::Keyboard::Num1, zp::KEY_PRESSED);
    steps(1);
    EXPECT_EQ(countOf<WavesGame>(), 1);
    EXPECT_EQ(LevelManager::getInstance().getLevel()->getName(), "Fixture1");
}

// No pictures, no music and no level files: every screen still comes and
// goes, the menu's texts are drawn, and play runs on without a level.
TEST_F(Screens, MissingContentNeverBringsTheGameDown)
{
    std::filesystem::remove_all(zp::test::privateGameData() + "/Levels");
    new SplashScreen;
    steps(SPLASH_SCREEN_STEPS);
    ASSERT_EQ(countOf<GameMenu>(), 1);
    expectMenuDrawn(true);
    EXPECT_EQ(trimmed(graphics().shownRow(0)), "");

    sendKey(sf::Keyboard::Num3, zp::KEY_PRESSED);
    EXPECT_EQ(LevelManager::getInstance().getLevel(), nullptr);
    // Past the first wave's first enemy, which has no level to walk.
    steps(200);
    EXPECT_EQ(countOf<WavesGame>() + countOf<GameOver>() + countOf<GameMenu>(), 1);

    // However play went on, a game over leads back to a menu.
    zp::Event game_over;
    game_over.setType("GameOver");
    zp::WorldManager::getInstance().onEvent(&game_over);
    const int MAX_STEPS_TO_MENU = 3 * GAME_OVER_STEPS;
    for (int i = 0; i < MAX_STEPS_TO_MENU && countOf<GameMenu>() == 0; ++i)
        steps(1);
    ASSERT_EQ(countOf<GameMenu>(), 1);
    EXPECT_EQ(countOf<WavesGame>(), 0);
    steps(1);
    expectMenuDrawn(true);

    const std::string log = zp::test::logTail(100000);
    EXPECT_NE(log.find("Message: SplashScreen: sprite 'splashscreen' not loaded\n"), std::string::npos);
    EXPECT_NE(log.find("Message: GameMenu: sprite 'menu' not loaded\n"), std::string::npos);
    EXPECT_NE(log.find("Message: GameMenu: music 'menu' not loaded\n"), std::string::npos);
    EXPECT_NE(log.find("Message: GameOver: sprite 'gameover' not loaded\n"), std::string::npos);
}

} // namespace
