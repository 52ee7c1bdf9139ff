// Level files through the level manager, with the data set's block sprites
// loaded and a good path file; the blocks placed are drawn, then the world
// and the level are emptied for the next input.
#include "FuzzInput.h"
#include "level/LevelManager.h"

#include "zp/GraphicsManager.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const char* const BLOCK_LABELS[] = {"BlockVertical",        "BlockHorizontal",      "BlockRightAngleLeft",
                                    "BlockRightAngleLeftB", "BlockRightAngleRight", "BlockRightAngleUp",
                                    "BlockRightAngleDown"};

const char* const GOOD_PATH = "block_count 2\nend\npos_x 1\npos_y 1\nend\npos_x 2\npos_y 1\nend\neof\n";

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    graphics.setHeadless(true);
    graphics.startUp();
    zp::WorldManager::getInstance().startUp();
    zp::WorldManager::getInstance().setBoundary(zp::Box(zp::Position(0, 0), 80, 24));
    zp::WorldManager::getInstance().setView(zp::Box(zp::Position(0, 0), 80, 24));
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    resources.startUp();
    for (const char* label : BLOCK_LABELS)
        resources.loadSprite(std::string(ZP_SOURCE_DIR "/GameData/Levels/Blocks/") + label + ".txt", label);
    const std::string path_file = zp::fuzz::inputPath("path.txt");
    zp::fuzz::writeInput(path_file, reinterpret_cast<const std::uint8_t*>(GOOD_PATH),
                         std::string(GOOD_PATH).size());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string level_file = zp::fuzz::inputPath("level.txt");
    static const std::string path_file = zp::fuzz::inputPath("path.txt");
    zp::fuzz::writeInput(level_file, data, size);

    LevelManager& levels = LevelManager::getInstance();
    levels.loadLevel(level_file, path_file);
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.update();
    world.draw();
    zp::GraphicsManager::getInstance().swapBuffers();

    world.shutDown();
    world.startUp();
    levels.shutDown();
    return 0;
}
