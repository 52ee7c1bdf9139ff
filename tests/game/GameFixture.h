// The fixture of the game's tests: the engine as the engine's tests start it,
// headless (what is drawn is recorded, nothing needs a display), and a level
// manager without a level. The game's sounds and music are unloaded again
// after each test, so a test binary runs whole in one process.
#pragma once

#include "level/LevelManager.h"
#include "support/EngineFixture.h"

#include <string>
#include <vector>

namespace zp::test {

// Every sound and music label the game loads.
inline const std::vector<std::string> GAME_AUDIO_LABELS = {"menu", "background", "explosion", "freeze",
                                                           "shoot"};

class GameFixture : public EngineFixture {
protected:
    GameFixture() : EngineFixture(Screen::HEADLESS) {}

    void SetUp() override
    {
        EngineFixture::SetUp();
        LevelManager& levels = LevelManager::getInstance();
        levels.shutDown();
        ASSERT_EQ(levels.startUp(), 0);
    }

    void TearDown() override
    {
        EngineFixture::TearDown();
        LevelManager::getInstance().shutDown();
        unloadAudio(GAME_AUDIO_LABELS);
    }
};

} // namespace zp::test
