#include "content/Resources.h"

#include "content/DataPaths.h"
#include "content/Labels.h"
#include "turrets/TurretKinds.h"

#include "zp/LogManager.h"
#include "zp/ResourceManager.h"

#include <string>
#include <vector>

namespace {

enum class ResourceKind { SPRITE, MUSIC, SOUND };

struct ResourceLoad {
    ResourceKind kind;
    // Relative to the data set's folder.
    const char* file;
    const std::string& label;
};

// The sprites loaded before the turrets' and the rest after them; the
// turrets' sprites and sounds come from their kinds' rows.
const ResourceLoad SPRITES_BEFORE_TURRETS[] = {
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
};

const ResourceLoad AFTER_TURRET_SPRITES[] = {
    // "enemy" and "enemy-easy" share a file; each load gives its own sprite.
    {ResourceKind::SPRITE, "Sprites/Enemies/enemy-easy-spr.txt", ENEMY_SPRITE},
    {ResourceKind::SPRITE, "Sprites/Enemies/enemy-easy-spr.txt", ENEMY_EASY_SPRITE},
    {ResourceKind::SPRITE, "Sprites/Enemies/enemy-medium-spr.txt", ENEMY_MEDIUM_SPRITE},
    {ResourceKind::SPRITE, "Sprites/Enemies/enemy-hard-spr.txt", ENEMY_HARD_SPRITE},
    {ResourceKind::SPRITE, "Sprites/Treasure/treasure-spr.txt", TREASURE_SPRITE},

    {ResourceKind::MUSIC, "Music/Menu.wav", MENU_MUSIC},
    {ResourceKind::MUSIC, "Music/Background.wav", LEVEL_MUSIC},
};

// Tries one load: a file that is missing or cannot be read only leaves its
// label empty, and the log says which file it was.
void load(ResourceKind kind, const std::string& file, const std::string& label)
{
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    const std::string path = gameDataPath(file);
    int result = 0;
    const char* kind_name = "";
    switch (kind) {
    case ResourceKind::SPRITE:
        result = resources.loadSprite(path, label);
        kind_name = "Sprite";
        break;
    case ResourceKind::MUSIC:
        result = resources.loadMusic(path, label);
        kind_name = "Music";
        break;
    case ResourceKind::SOUND:
        result = resources.loadSound(path, label);
        kind_name = "Sound";
        break;
    }
    if (result != 0)
        zp::LogManager::getInstance().writeLog("%s '%s' not loaded from %s; going on without it", kind_name,
                                               label.c_str(), path.c_str());
}

template <std::size_t N> void loadAll(const ResourceLoad (&table)[N])
{
    for (const ResourceLoad& entry : table)
        load(entry.kind, entry.file, entry.label);
}

void loadTurretSprites(const TurretKind& kind)
{
    load(ResourceKind::SPRITE, kind.panel_sprite_file, kind.panel_sprite);
    load(ResourceKind::SPRITE, kind.build_sprite_file, kind.build_sprite);
    load(ResourceKind::SPRITE, kind.turret_sprite_file, kind.turret_sprite);
}

void loadTurretSound(const TurretKind& kind)
{
    // Kinds may share a sound; it is loaded for the first of them.
    if (zp::ResourceManager::getInstance().getSound(kind.sound) == nullptr)
        load(ResourceKind::SOUND, kind.sound_file, kind.sound);
}

} // namespace

void loadResources()
{
    // Every load is tried, whatever became of the ones before.
    loadAll(SPRITES_BEFORE_TURRETS);
    for (const TurretKind* p_kind : SHIPPED_TURRET_KINDS)
        loadTurretSprites(*p_kind);
    loadAll(AFTER_TURRET_SPRITES);
    for (const TurretKind* p_kind : SHIPPED_TURRET_KINDS)
        loadTurretSound(*p_kind);
}

void loadTurretKindResources(const TurretKind& kind)
{
    loadTurretSprites(kind);
    loadTurretSound(kind);
}

std::vector<std::string> spriteLabels()
{
    std::vector<std::string> labels;
    const auto add = [&](const auto& table) {
        for (const ResourceLoad& load : table)
            if (load.kind == ResourceKind::SPRITE)
                labels.push_back(load.label);
    };
    add(SPRITES_BEFORE_TURRETS);
    for (const TurretKind* p_kind : SHIPPED_TURRET_KINDS)
        for (const std::string* p_label :
             {&p_kind->panel_sprite, &p_kind->build_sprite, &p_kind->turret_sprite})
            labels.push_back(*p_label);
    add(AFTER_TURRET_SPRITES);
    return labels;
}
