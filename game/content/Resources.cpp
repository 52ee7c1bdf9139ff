#include "content/Resources.h"

#include "zp/ResourceManager.h"

void loadResources()
{
    // Every load is tried: a missing file is logged by the resource manager
    // and only leaves its label empty.
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();

    resources.loadSprite("../GameData/SplashScreen/SplashScreen.txt", "splashscreen");
    resources.loadSprite("../GameData/Menu/Menu.txt", "menu");
    resources.loadSprite("../GameData/GameOver/GameOver.txt", "gameover");

    resources.loadSprite("../GameData/Levels/Blocks/BlockVertical.txt", "BlockVertical");
    resources.loadSprite("../GameData/Levels/Blocks/BlockHorizontal.txt", "BlockHorizontal");
    resources.loadSprite("../GameData/Levels/Blocks/BlockRightAngleLeft.txt", "BlockRightAngleLeft");
    resources.loadSprite("../GameData/Levels/Blocks/BlockRightAngleLeftB.txt", "BlockRightAngleLeftB");
    resources.loadSprite("../GameData/Levels/Blocks/BlockRightAngleRight.txt", "BlockRightAngleRight");
    resources.loadSprite("../GameData/Levels/Blocks/BlockRightAngleUp.txt", "BlockRightAngleUp");
    resources.loadSprite("../GameData/Levels/Blocks/BlockRightAngleDown.txt", "BlockRightAngleDown");

    resources.loadSprite("../GameData/Sprites/Turrets/Gatling/gatling-info-spr.txt", "gatling-select");
    resources.loadSprite("../GameData/Sprites/Turrets/Gatling/gatling-build-spr.txt", "gatling-build");
    resources.loadSprite("../GameData/Sprites/Turrets/Gatling/gatling-spr.txt", "gatling");
    resources.loadSprite("../GameData/Sprites/Turrets/Rocket/rocket-info-spr.txt", "rocket-select");
    resources.loadSprite("../GameData/Sprites/Turrets/Rocket/rocket-build-spr.txt", "rocket-build");
    resources.loadSprite("../GameData/Sprites/Turrets/Rocket/rocket-spr.txt", "rocket");
    resources.loadSprite("../GameData/Sprites/Turrets/Freeze/freeze-info-spr.txt", "freeze-select");
    resources.loadSprite("../GameData/Sprites/Turrets/Freeze/freeze-build-spr.txt", "freeze-build");
    resources.loadSprite("../GameData/Sprites/Turrets/Freeze/freeze-spr.txt", "freeze");

    // "enemy" and "enemy-easy" share a file; each load gives its own sprite.
    resources.loadSprite("../GameData/Sprites/Enemies/enemy-easy-spr.txt", "enemy");
    resources.loadSprite("../GameData/Sprites/Enemies/enemy-easy-spr.txt", "enemy-easy");
    resources.loadSprite("../GameData/Sprites/Enemies/enemy-medium-spr.txt", "enemy-medium");
    resources.loadSprite("../GameData/Sprites/Enemies/enemy-hard-spr.txt", "enemy-hard");
    resources.loadSprite("../GameData/Sprites/Treasure/treasure-spr.txt", "treasure");

    resources.loadMusic("../GameData/Music/Menu.wav", "menu");
    resources.loadMusic("../GameData/Music/Background.wav", "background");

    resources.loadSound("../GameData/Music/Explosion.wav", "explosion");
    resources.loadSound("../GameData/Music/Freeze.wav", "freeze");
    resources.loadSound("../GameData/Music/bullet.wav", "shoot");
}
