// One loaded level: its header values, the track's blocks (world objects,
// not owned) and the path that enemies walk from the start to the treasure.
#pragma once

#include "zp/ObjectList.h"
#include "zp/Position.h"

#include <string>
#include <vector>

namespace zp {
class Object;
}

class Level {
public:
    Level(std::string name, std::string description, int size_x, int size_y, int enemy_start_x,
          int enemy_start_y, int treasure_x, int treasure_y);

    const std::string& getName() const;
    const std::string& getDescription() const;
    int getSizeX() const;
    int getSizeY() const;
    int getEnemyStartX() const;
    int getEnemyStartY() const;
    int getTreasureX() const;
    int getTreasureY() const;

    // The path itself: the level manager appends while loading, enemies copy it.
    std::vector<zp::Position>& getPath();
    const std::vector<zp::Position>& getPath() const;

    void addBlock(zp::Object* p_block);
    // The blocks as loaded; they belong to the world and are gone after a game ends.
    const zp::ObjectList& getBlocks() const;

private:
    std::string name;
    std::string description;
    int size_x;
    int size_y;
    int enemy_start_x;
    int enemy_start_y;
    int treasure_x;
    int treasure_y;
    zp::ObjectList blocks;
    std::vector<zp::Position> path;
};
