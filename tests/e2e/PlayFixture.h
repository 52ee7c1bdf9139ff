// What the end-to-end scenarios share: the real game started in a run folder
// of its own, and a player's view of it: texts and counters read off
// captures of its window, polled with generous deadlines.
#pragma once

#include "GameProcess.h"
#include "LevelData.h"
#include "ScreenReader.h"
#include "content/Labels.h"
#include "turrets/TurretKinds.h"

#include "zp/Box.h"
#include "zp/Position.h"
#include "zp/Utility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace e2e {

const Seconds START_DEADLINE(60);
const Seconds SCREEN_DEADLINE(60);
const Seconds PLAY_DEADLINE(150);

const zp::Position MENU_WELCOME(0, 10);
const char* const WELCOME = "Welcome to Cinderwatch!!";
const zp::Position GAME_OVER_TEXT(17, 6);
const char* const GAME_OVER = "You will be brought back to the main menu shortly";
const zp::Position GATLING_PANEL(66, 2);
const int LIVES_X = 6, WAVE_X = 40, CURRENCY_X = 55;

// Counters are framed texts centred on their column in row 1.
inline zp::Position counterStart(int centre, const std::string& text)
{
    return zp::Position(centre - int(text.size()) / 2, 1);
}
inline std::string counter(const std::string& label, int value)
{
    return "|" + label + " " + std::to_string(value) + "|";
}

// The free cell from which a turret of the given box covers most of the path.
inline zp::Position bestTurretCell(const LevelData& data, const zp::Box& turret)
{
    std::vector<zp::Box> obstacles = data.blocks;
    const zp::Box panel = spriteBox(GATLING_KIND.panel_sprite);
    for (int top : {0, 6, 12})
        obstacles.emplace_back(zp::Position(64, top), panel.getHorizontal(), panel.getVertical());
    zp::Box treasure = spriteBox(TREASURE_SPRITE);
    treasure.setCorner(data.treasure);
    obstacles.push_back(treasure);

    zp::Position best(-1, -1);
    int best_cover = 0;
    for (int y = 3; y + turret.getVertical() < 24; ++y) {
        for (int x = 0; x + turret.getHorizontal() < 64; ++x) {
            const zp::Box here(zp::Position(x, y), turret.getHorizontal(), turret.getVertical());
            bool free = true;
            for (const zp::Box& obstacle : obstacles)
                free = free && !zp::boxIntersectsBox(here, obstacle);
            if (!free)
                continue;
            int cover = 0;
            for (const zp::Position& cell : data.path)
                cover += zp::scaledDistance(zp::Position(x, y), cell) <= 15 ? 1 : 0;
            if (cover > best_cover) {
                best_cover = cover;
                best = zp::Position(x, y);
            }
        }
    }
    return best;
}

class PlayFixture : public testing::Test {
protected:
    void start(const RunOptions& options = RunOptions())
    {
        game = std::make_unique<GameProcess>(options);
        ASSERT_TRUE(game->waitForWindow(START_DEADLINE)) << game->errorText();
    }

    // Polls the window until the condition holds on a capture; keeps the last capture.
    bool waitForScreen(const std::function<bool(const sf::Image&)>& condition, const std::string& what,
                       Seconds deadline = SCREEN_DEADLINE)
    {
        const bool seen = waitUntil(
            [&] {
                capture();
                return condition(screen);
            },
            deadline);
        if (!seen)
            keepCapture(what);
        return seen;
    }

    // Polls the window until the text stands at `at`; keeps the last capture.
    bool waitForText(zp::Position at, const std::string& text, Seconds deadline = SCREEN_DEADLINE)
    {
        return waitForScreen([&](const sf::Image& image) { return reader.shows(image, at, text); }, text,
                             deadline);
    }

    bool waitForCounter(const std::string& label, int centre, int value, Seconds deadline = SCREEN_DEADLINE)
    {
        const std::string text = counter(label, value);
        return waitForText(counterStart(centre, text), text, deadline);
    }

    // The window now, read with its cells where they stand.
    const sf::Image& capture()
    {
        screen = game->capture();
        reader.setGrid(game->grid());
        return screen;
    }

    bool shows(zp::Position at, const std::string& text) const { return reader.shows(screen, at, text); }
    bool showsCounter(const std::string& label, int centre, int value) const
    {
        const std::string text = counter(label, value);
        return reader.shows(screen, counterStart(centre, text), text);
    }

    void reachMenu() { ASSERT_TRUE(waitForText(MENU_WELCOME, WELCOME)) << game->errorText(); }

    void playLevel(int level)
    {
        reachMenu();
        game->pressKey(std::to_string(level));
        ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 100, SCREEN_DEADLINE));
    }

    // With ZP_E2E_SCREENSHOTS naming a folder (absolute, or relative to the
    // repository, such as "docs"), keeps a picture of what the player sees.
    void saveScreenshot(const std::string& name)
    {
        const char* folder = std::getenv("ZP_E2E_SCREENSHOTS");
        if (folder == nullptr)
            return;
        std::filesystem::path path(folder);
        if (path.is_relative())
            path = std::filesystem::path(ZP_SOURCE_DIR) / path;
        EXPECT_TRUE(screen.saveToFile((path / (name + ".png")).string())) << path;
    }

    void keepCapture(const std::string& what)
    {
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-'); // a parameterised test's "Name/640x480"
        const std::string path = "/tmp/cinderwatch-e2e-" + name + ".png";
        screen.saveToFile(path);
        ADD_FAILURE() << "never saw \"" << what << "\"; last capture: " << path;
    }

    std::unique_ptr<GameProcess> game;
    ScreenReader reader;
    sf::Image screen;
};

} // namespace e2e
