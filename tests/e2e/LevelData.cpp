#include "LevelData.h"

#include "content/DataPaths.h"
#include "content/Resources.h"
#include "level/Level.h"
#include "level/LevelFiles.h"
#include "level/LevelManager.h"

#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/Sprite.h"
#include "zp/Utility.h"
#include "zp/WorldManager.h"

namespace e2e {
namespace {

// The data set's resources under the game's labels, loaded once in this
// test process (which has no window: only the sprites' sizes are used).
void loadGameResources()
{
    static const bool loaded = [] {
        setGameDataDir(std::string(ZP_SOURCE_DIR) + "/GameData");
        zp::ResourceManager::getInstance().startUp();
        loadResources();
        return true;
    }();
    (void)loaded;
}

} // namespace

zp::Box spriteBox(const std::string& label)
{
    loadGameResources();
    const zp::Sprite* p_sprite = zp::ResourceManager::getInstance().getSprite(label);
    if (p_sprite == nullptr)
        return zp::Box();
    return zp::Box(zp::Position(0, 0), p_sprite->getWidth(), p_sprite->getHeight());
}

// The level manager places the blocks in this process's world, which is
// emptied again once they are measured.
LevelData readLevel(int number)
{
    loadGameResources();
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.startUp();
    LevelManager& levels = LevelManager::getInstance();
    LevelData data;
    const LevelFiles& files = LEVELS[number - 1];
    if (levels.loadLevel(gameDataPath(files.level_file), gameDataPath(files.path_file)) == 0) {
        const Level& level = *levels.getLevel();
        data.enemy_start = zp::Position(level.getEnemyStartX(), level.getEnemyStartY());
        data.treasure = zp::Position(level.getTreasureX(), level.getTreasureY());
        data.path = level.getPath();
        for (zp::ObjectListIterator it(&level.getBlocks()); !it.isDone(); it.next())
            data.blocks.push_back(zp::getWorldBox(it.currentObject()));
    }
    levels.shutDown();
    world.shutDown();
    return data;
}

} // namespace e2e
