#include "support/EngineFixture.h"

#include "zp/Box.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/InputManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

namespace zp::test {
namespace {

const int BOARD_HORIZONTAL = 80;
const int BOARD_VERTICAL = 24;

} // namespace

EngineFixture::EngineFixture(Screen used_screen) : screen_kind(used_screen)
{
}

void EngineFixture::SetUp()
{
    LogManager& log = LogManager::getInstance();
    ASSERT_EQ(log.startUp(), 0);
    // Tests read the log back while they run.
    log.setFlush(true);
    ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
    sizeWorld(BOARD_HORIZONTAL, BOARD_VERTICAL);
    ResourceManager& resources = ResourceManager::getInstance();
    resources.shutDown();
    ASSERT_EQ(resources.startUp(), 0);
    GameManager& game = GameManager::getInstance();
    game.setGameOver(false);
    game.setPaused(false);
    game.setStepsPerFrame(1);

    if (screen_kind == Screen::NONE)
        return;
    GraphicsManager& graphics = GraphicsManager::getInstance();
    graphics.setHeadless(screen_kind == Screen::HEADLESS);
    ASSERT_EQ(graphics.startUp(), 0);
    ASSERT_EQ(InputManager::getInstance().startUp(), 0);
}

void EngineFixture::TearDown()
{
    WorldManager::getInstance().shutDown();
    if (screen_kind != Screen::NONE) {
        InputManager::getInstance().shutDown();
        GraphicsManager& graphics = GraphicsManager::getInstance();
        graphics.shutDown();
        graphics.setHeadless(false);
        restoreGraphicsDefaults();
    }
    ResourceManager::getInstance().shutDown();
    LogManager::getInstance().shutDown();
}

void restoreGraphicsDefaults()
{
    GraphicsManager& graphics = GraphicsManager::getInstance();
    graphics.setWindowTitle(WINDOW_TITLE_DEFAULT);
    graphics.setFullscreen(false);
    graphics.setWindowSize(WINDOW_HORIZONTAL_PIXELS_DEFAULT, WINDOW_VERTICAL_PIXELS_DEFAULT);
    graphics.setWindowedSize(WINDOW_HORIZONTAL_PIXELS_DEFAULT, WINDOW_VERTICAL_PIXELS_DEFAULT);
    graphics.setGridSize(WINDOW_HORIZONTAL_CHARS_DEFAULT, WINDOW_VERTICAL_CHARS_DEFAULT);
    graphics.setScaling(SCALE_TO_FIT);
    InputManager::getInstance().setFullscreenKeys(false);
}

void EngineFixture::unloadAudio(const std::vector<std::string>& labels)
{
    ResourceManager& resources = ResourceManager::getInstance();
    for (const std::string& label : labels) {
        while (resources.unloadSound(label) == 0) {
        }
        while (resources.unloadMusic(label) == 0) {
        }
    }
}

void EngineFixture::sizeWorld(int horizontal, int vertical)
{
    const Box board(Position(0, 0), horizontal, vertical);
    WorldManager& world = WorldManager::getInstance();
    world.setBoundary(board);
    world.setView(board);
}

} // namespace zp::test
