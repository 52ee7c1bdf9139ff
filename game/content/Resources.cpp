#include "content/Resources.h"

#include "content/DataPaths.h"
#include "content/Labels.h"
#include "turrets/TurretKinds.h"

#include "zp/LogManager.h"
#include "zp/ResourceManager.h"

#include <string>

namespace {

enum class ResourceKind { SPRITE, MUSIC, SOUND };

struct ResourceLoad {
    ResourceKind kind;
    // Relative to the data set's folder.
    const char* file;
    const std::string& label;
};

// Every sprite, music and sound of the game, in the order they are loaded.
const ResourceLoad RESOURCE_TABLE[] = {
    {ResourceKind::SPRITE, "SplashScreen/SplashScreen.txt", SPLASH_SPRITE},
    {ResourceKind::SPRITE, "Menu/Menu.txt", MENU_SPRITE},
    {ResourceKind::SPRITE, "GameOver/GameOver.txt", GAME_OVER_SPRITE},

    {ResourceKind::SPRITE, "Levels/Blocks/BlockVertical.txt", BLOCK_VERTICAL_SPRITE},
    {ResourceKind::SPRITE, "Levels/Blocks/BlockHorizontal.txt", BLOCK_HORIZONTAL_SPRITE},
    {ResourceKind::SPRITE, "Levels/Blocks/BlockRightAngleLeft.txt", BLOCK_RIGHT_ANGLE_LEFT_SPRITE},
    {ResourceKind::SPRITE, "Levels/Blocks/BlockRightAngleLeftB.txt", BLOCK_RIGHT_ANGLE_LEFT_B_SPRITE},
    {ResourceKind::SPRITE, "Levels/Blocks/BlockRightAngleRight.txt", BLOCK_RIGHT_ANGLE_RIGHT_SPRITE},
    {ResourceKind::SPRITE, "Levels/Blocks/BlockRightAngleUp.txt", BLOCK_RIGHT_ANGLE_UP_SPRITE},
    {ResourceKind::SPRITE, "Levels/Blocks/BlockRightAngleDown.txt", BLOCK_RIGHT_ANGLE_DOWN_SPRITE},

    {ResourceKind::SPRITE, "Sprites/Turrets/Gatling/gatling-info-spr.txt", GATLING_KIND.panel_sprite},
    {ResourceKind::SPRITE, "Sprites/Turrets/Gatling/gatling-build-spr.txt", GATLING_KIND.build_sprite},
    {ResourceKind::SPRITE, "Sprites/Turrets/Gatling/gatling-spr.txt", GATLING_KIND.turret_sprite},
    {ResourceKind::SPRITE, "Sprites/Turrets/Rocket/rocket-info-spr.txt", ROCKET_KIND.panel_sprite},
    {ResourceKind::SPRITE, "Sprites/Turrets/Rocket/rocket-build-spr.txt", ROCKET_KIND.build_sprite},
    {ResourceKind::SPRITE, "Sprites/Turrets/Rocket/rocket-spr.txt", ROCKET_KIND.turret_sprite},
    {ResourceKind::SPRITE, "Sprites/Turrets/Freeze/freeze-info-spr.txt", FREEZE_KIND.panel_sprite},
    {ResourceKind::SPRITE, "Sprites/Turrets/Freeze/freeze-build-spr.txt", FREEZE_KIND.build_sprite},
    {ResourceKind::SPRITE, "Sprites/Turrets/Freeze/freeze-spr.txt", FREEZE_KIND.turret_sprite},

    // "enemy" and "enemy-easy" share a file; each load gives its own sprite.
    {ResourceKind::SPRITE, "Sprites/Enemies/enemy-easy-spr.txt", ENEMY_SPRITE},
    {ResourceKind::SPRITE, "Sprites/Enemies/enemy-easy-spr.txt", ENEMY_EASY_SPRITE},
    {ResourceKind::SPRITE, "Sprites/Enemies/enemy-medium-spr.txt", ENEMY_MEDIUM_SPRITE},
    {ResourceKind::SPRITE, "Sprites/Enemies/enemy-hard-spr.txt", ENEMY_HARD_SPRITE},
    {ResourceKind::SPRITE, "Sprites/Treasure/treasure-spr.txt", TREASURE_SPRITE},

    {ResourceKind::MUSIC, "Music/Menu.wav", MENU_MUSIC},
    {ResourceKind::MUSIC, "Music/Background.wav", LEVEL_MUSIC},

    {ResourceKind::SOUND, "Music/Explosion.wav", ROCKET_KIND.sound},
    {ResourceKind::SOUND, "Music/Freeze.wav", FREEZE_KIND.sound},
    {ResourceKind::SOUND, "Music/bullet.wav", GATLING_KIND.sound},
};

} // namespace

void loadResources()
{
    // Every load is tried: a file that is missing or cannot be read only
    // leaves its label empty, and the log says which file it was.
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    for (const ResourceLoad& load : RESOURCE_TABLE) {
        const std::string path = gameDataPath(load.file);
        int result = 0;
        const char* kind = "";
        switch (load.kind) {
        case ResourceKind::SPRITE:
            result = resources.loadSprite(path, load.label);
            kind = "Sprite";
            break;
        case ResourceKind::MUSIC:
            result = resources.loadMusic(path, load.label);
            kind = "Music";
            break;
        case ResourceKind::SOUND:
            result = resources.loadSound(path, load.label);
            kind = "Sound";
            break;
        }
        if (result != 0)
            zp::LogManager::getInstance().writeLog("%s '%s' not loaded from %s; going on without it", kind,
                                                   load.label.c_str(), path.c_str());
    }
}

std::vector<std::string> spriteLabels()
{
    std::vector<std::string> labels;
    for (const ResourceLoad& load : RESOURCE_TABLE)
        if (load.kind == ResourceKind::SPRITE)
            labels.push_back(load.label);
    return labels;
}
