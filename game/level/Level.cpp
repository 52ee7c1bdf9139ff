#include "level/Level.h"

#include <utility>

Level::Level(std::string init_name, std::string init_description, int init_size_x, int init_size_y,
             int init_enemy_start_x, int init_enemy_start_y, int init_treasure_x, int init_treasure_y)
    : name(std::move(init_name)), description(std::move(init_description)), size_x(init_size_x),
      size_y(init_size_y), enemy_start_x(init_enemy_start_x), enemy_start_y(init_enemy_start_y),
      treasure_x(init_treasure_x), treasure_y(init_treasure_y)
{
}

const std::string& Level::getName() const
{
    return name;
}

const std::string& Level::getDescription() const
{
    return description;
}

int Level::getSizeX() const
{
    return size_x;
}

int Level::getSizeY() const
{
    return size_y;
}

int Level::getEnemyStartX() const
{
    return enemy_start_x;
}

int Level::getEnemyStartY() const
{
    return enemy_start_y;
}

int Level::getTreasureX() const
{
    return treasure_x;
}

int Level::getTreasureY() const
{
    return treasure_y;
}

std::vector<zp::Position>& Level::getPath()
{
    return path;
}

const std::vector<zp::Position>& Level::getPath() const
{
    return path;
}

void Level::addBlock(zp::Object* p_block)
{
    blocks.insert(p_block);
}

const zp::ObjectList& Level::getBlocks() const
{
    return blocks;
}
