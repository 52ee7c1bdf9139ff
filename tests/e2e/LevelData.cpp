#include "LevelData.h"

#include "zp/ResourceManager.h"

#include <fstream>
#include <map>

namespace e2e {
namespace {

std::string dataPath(const std::string& relative)
{
    return std::string(ZP_SOURCE_DIR) + "/GameData/" + relative;
}

} // namespace

zp::Box spriteBox(const std::string& file)
{
    std::ifstream in(dataPath(file));
    zp::readLineInt(in, zp::FRAMES_TOKEN);
    const int width = zp::readLineInt(in, zp::WIDTH_TOKEN);
    const int height = zp::readLineInt(in, zp::HEIGHT_TOKEN);
    return zp::Box(zp::Position(0, 0), width, height);
}

LevelData readLevel(int number)
{
    const std::string folder = "Levels/Level" + std::to_string(number) + "/Level" + std::to_string(number);
    std::ifstream level(dataPath(folder + ".txt"));
    LevelData data;
    zp::readLineStr(level, "name");
    zp::readLineStr(level, "description");
    zp::readLineInt(level, "size_x");
    zp::readLineInt(level, "size_y");
    const int blocks = zp::readLineInt(level, "block_count");
    const int start_x = zp::readLineInt(level, "enemy_start_x");
    const int start_y = zp::readLineInt(level, "enemy_start_y");
    const int treasure_x = zp::readLineInt(level, "treasure_x");
    const int treasure_y = zp::readLineInt(level, "treasure_y");
    data.enemy_start = zp::Position(start_x, start_y);
    data.treasure = zp::Position(treasure_x, treasure_y);
    std::string line;
    zp::readLine(level, line);
    std::map<std::string, zp::Box> sizes;
    for (int i = 0; i < blocks; ++i) {
        const std::string label = zp::readLineStr(level, "block");
        const int x = zp::readLineInt(level, "pos_x");
        const int y = zp::readLineInt(level, "pos_y");
        zp::readLine(level, line);
        if (sizes.count(label) == 0)
            sizes[label] = spriteBox("Levels/Blocks/" + label + ".txt");
        zp::Box box = sizes[label];
        box.setCorner(zp::Position(x, y));
        data.blocks.push_back(box);
    }

    std::ifstream path(dataPath(folder + "Mov.txt"));
    const int points = zp::readLineInt(path, "block_count");
    zp::readLine(path, line);
    for (int i = 0; i < points; ++i) {
        const int x = zp::readLineInt(path, "pos_x");
        const int y = zp::readLineInt(path, "pos_y");
        zp::readLine(path, line);
        data.path.emplace_back(x, y);
    }
    return data;
}

} // namespace e2e
