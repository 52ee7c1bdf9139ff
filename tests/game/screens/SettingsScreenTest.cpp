// The settings screen: each change is heard by the engine's audio at once
// and kept in the settings file; Esc or S goes back to the menu. (The mute
// key, heard from the window only, is played in the end-to-end tests.)
#include "screens/SettingsScreen.h"

#include "GameFixture.h"
#include "app/Settings.h"
#include "progress/PlayerSettings.h"
#include "screens/GameMenu.h"
#include "support/RunDir.h"

#include "zp/EventKeyboard.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/InputManager.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

void writeSettings(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    zp::test::writeFile(path, text);
}

void press(int key)
{
    zp::EventKeyboard event;
    event.setKey(key);
    event.setKeyboardAction(zp::KEY_PRESSED);
    zp::WorldManager::getInstance().onEvent(&event);
}

template <class T> int countOf()
{
    int count = 0;
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next())
        count += dynamic_cast<T*>(it.currentObject()) != nullptr ? 1 : 0;
    return count;
}

class SettingsScreenTest : public zp::test::GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        path = zp::test::runDir() + "/config/cinderwatch/settings";
    }

    void TearDown() override
    {
        PlayerSettings::getInstance().stop();
        zp::InputManager::getInstance().setKeyHook(nullptr);
        GameFixture::TearDown();
    }

    std::string path;
};

TEST_F(SettingsScreenTest, EachChangeIsHeardAtOnceAndKept)
{
    writeSettings(path, "# mine\nmusic_volume = 50\nmy own key = 1\n");
    PlayerSettings::getInstance().start(path, true);
    zp::ResourceManager& audio = zp::ResourceManager::getInstance();
    EXPECT_EQ(audio.getMusicVolume(), 50) << "heard from the start";
    EXPECT_EQ(zp::test::readFile(path), "# mine\nmusic_volume = 50\nmy own key = 1\n") << "read, not written";

    new GameMenu;
    press(sf::Keyboard::S);
    zp::GameManager::getInstance().frame();
    ASSERT_EQ(countOf<SettingsScreen>(), 1);
    EXPECT_EQ(countOf<GameMenu>(), 0);
    EXPECT_NE(zp::GraphicsManager::getInstance().shownRow(7).find("> Music volume    < 50 >"),
              std::string::npos)
        << zp::GraphicsManager::getInstance().shownRow(7);

    press(sf::Keyboard::Right);
    EXPECT_EQ(audio.getMusicVolume(), 60);
    press(sf::Keyboard::Down);
    press(sf::Keyboard::Left);
    press(sf::Keyboard::Left);
    EXPECT_EQ(audio.getSoundVolume(), 80);
    press(sf::Keyboard::Down);
    press(sf::Keyboard::Enter);
    EXPECT_TRUE(audio.isMuted());
    EXPECT_EQ(zp::test::readFile(path),
              "# mine\nmusic_volume = 60\nmy own key = 1\nwindow_width = 1024\n"
              "window_height = 768\nfullscreen = false\nsound_volume = 80\nmute = true\n");
    // Fullscreen: switched at once, kept in the file when the program ends
    // (as after F11), so the file is as it was.
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    const std::string written = zp::test::readFile(path);
    press(sf::Keyboard::Down);
    press(sf::Keyboard::Enter);
    EXPECT_TRUE(graphics.isFullscreen());
    press(sf::Keyboard::Left);
    EXPECT_FALSE(graphics.isFullscreen());
    press(sf::Keyboard::Right);
    EXPECT_TRUE(graphics.isFullscreen());
    press(sf::Keyboard::Enter);
    EXPECT_FALSE(graphics.isFullscreen());
    EXPECT_EQ(zp::test::readFile(path), written);
    zp::GameManager::getInstance().frame();
    EXPECT_NE(graphics.shownRow(10).find("> Fullscreen      off (F11 anywhere)"), std::string::npos)
        << graphics.shownRow(10);
    EXPECT_NE(graphics.shownRow(11).find("  Window size     1024 x 768 (drag the window's edges)"),
              std::string::npos)
        << graphics.shownRow(11);
    press(sf::Keyboard::Down); // from the last line round to the first
    for (int i = 0; i < 15; ++i)
        press(sf::Keyboard::Right);
    EXPECT_EQ(audio.getMusicVolume(), 100) << "no louder than 100";

    press(sf::Keyboard::Escape);
    zp::GameManager::getInstance().frame();
    EXPECT_EQ(countOf<SettingsScreen>(), 0);
    EXPECT_EQ(countOf<GameMenu>(), 1);
}

TEST_F(SettingsScreenTest, AFileThatCannotBeWrittenIsNamedOnTheScreenAndKept)
{
    writeSettings(path, "music_volume = 50\n");
    fs::create_directories(path + ".tmp");
    PlayerSettings::getInstance().start(path, true);
    new SettingsScreen;
    press(sf::Keyboard::Right);
    EXPECT_EQ(zp::ResourceManager::getInstance().getMusicVolume(), 60) << "heard all the same";
    EXPECT_EQ(zp::test::readFile(path), "music_volume = 50\n");
    zp::GameManager::getInstance().frame();
    EXPECT_NE(zp::GraphicsManager::getInstance().shownRow(17).find("could not be written"), std::string::npos)
        << zp::GraphicsManager::getInstance().shownRow(17);
}

TEST_F(SettingsScreenTest, AReplayHearsTheSettingsButKeepsNone)
{
    PlayerSettings::getInstance().start(path, false);
    new SettingsScreen;
    press(sf::Keyboard::Left);
    EXPECT_EQ(zp::ResourceManager::getInstance().getMusicVolume(), 90);
    EXPECT_FALSE(fs::exists(path));
}

} // namespace
