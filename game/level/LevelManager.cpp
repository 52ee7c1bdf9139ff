#include "level/LevelManager.h"

#include "level/Level.h"

#include "zp/LineReader.h"
#include "zp/LogManager.h"
#include "zp/Object.h"
#include "zp/ObjectList.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

#include <algorithm>
#include <utility>

namespace {

// Keywords of the level and path files.
const std::string NAME_TOKEN = "name";
const std::string DESCRIPTION_TOKEN = "description";
const std::string SIZE_X_TOKEN = "size_x";
const std::string SIZE_Y_TOKEN = "size_y";
const std::string BLOCK_COUNT_TOKEN = "block_count";
const std::string BLOCK_TOKEN = "block";
const std::string POS_X_TOKEN = "pos_x";
const std::string POS_Y_TOKEN = "pos_y";
const std::string ENEMY_START_X_TOKEN = "enemy_start_x";
const std::string ENEMY_START_Y_TOKEN = "enemy_start_y";
const std::string TREASURE_X_TOKEN = "treasure_x";
const std::string TREASURE_Y_TOKEN = "treasure_y";
const std::string END_TOKEN = "end";
const std::string EOF_TOKEN = "eof";

// True when the next whole line is exactly `token` (a missing line is not).
bool nextLineIs(zp::LineReader& file, const std::string& token)
{
    std::string line;
    return file.readLine(line) && line == token;
}

// Logs why a level or path file was not read whole; -1 for the caller to
// return. When the reader refused a line (too long, a NUL byte) or the file
// itself, that is what was wrong, rather than the format after it.
template <typename... Args>
int refuse(const zp::LineReader& file, const char* kind, const char* format, Args... args)
{
    zp::LogManager& log = zp::LogManager::getInstance();
    if (file.failed())
        log.writeLog("%s file %s", kind, file.getError().text().c_str());
    else
        log.writeLog(format, args...);
    return -1;
}

// World slots that a level's blocks may take: what is free, less what play
// itself needs beside them.
int roomForBlocks()
{
    const int in_world = zp::WorldManager::getInstance().getAllObjects().getCount();
    return std::max(0, zp::MAX_OBJECTS - 1 - in_world - PLAY_OBJECTS_RESERVE);
}

// A number line holding a cell coordinate or size; values beyond
// MAX_COORDINATE either way are clamped to it, with a log line.
int readCoordinate(zp::LineReader& file, const std::string& keyword, const std::string& file_name)
{
    const int value = zp::readLineInt(file, keyword);
    const int clamped = std::clamp(value, -zp::MAX_COORDINATE, zp::MAX_COORDINATE);
    if (clamped != value)
        zp::LogManager::getInstance().writeLog("Level file %s: %s %d out of range, taken as %d",
                                               file_name.c_str(), keyword.c_str(), value, clamped);
    return clamped;
}

// A track block: a plain soft object showing frame 0 of its sprite with the
// frame's top-left cell at its position.
zp::Object* createBlock(const std::string& label, zp::Position pos)
{
    auto* p_block = new zp::Object;
    zp::Sprite* p_sprite = zp::ResourceManager::getInstance().getSprite(label);
    if (p_sprite != nullptr)
        p_block->setSprite(p_sprite);
    else
        zp::LogManager::getInstance().writeLog("Level block sprite '%s' not found", label.c_str());
    p_block->setPosition(pos);
    p_block->setSolidness(zp::SOFT);
    return p_block;
}

} // namespace

LevelManager::LevelManager()
{
    setType("LevelManager");
}

LevelManager::~LevelManager() = default;

LevelManager& LevelManager::getInstance()
{
    static LevelManager instance;
    return instance;
}

int LevelManager::startUp()
{
    setType("LevelManager");
    return Manager::startUp();
}

void LevelManager::shutDown()
{
    level.reset();
    Manager::shutDown();
}

int LevelManager::loadLevel(const std::string& level_file, const std::string& path_file)
{
    const char* const level_name = level_file.c_str();
    const char* const path_name = path_file.c_str();
    // Only regular files are read: anything else is refused like a missing file.
    zp::LineReader level_in(level_file);
    if (!level_in.isOpen())
        return refuse(level_in, "Level", "Level file %s cannot be read", level_name);

    std::string name = zp::readLineStr(level_in, NAME_TOKEN);
    std::string description = zp::readLineStr(level_in, DESCRIPTION_TOKEN);
    const int size_x = readCoordinate(level_in, SIZE_X_TOKEN, level_file);
    const int size_y = readCoordinate(level_in, SIZE_Y_TOKEN, level_file);
    const int block_count = zp::readLineInt(level_in, BLOCK_COUNT_TOKEN);
    const int enemy_start_x = readCoordinate(level_in, ENEMY_START_X_TOKEN, level_file);
    const int enemy_start_y = readCoordinate(level_in, ENEMY_START_Y_TOKEN, level_file);
    const int treasure_x = readCoordinate(level_in, TREASURE_X_TOKEN, level_file);
    const int treasure_y = readCoordinate(level_in, TREASURE_Y_TOKEN, level_file);
    if (!nextLineIs(level_in, END_TOKEN))
        return refuse(level_in, "Level", "Level file %s: the header is not closed by \"end\"", level_name);
    // Blocks that the world could not take would never be drawn or deleted,
    // and would leave play without its counters, panels and treasure.
    const int room = roomForBlocks();
    if (block_count > room)
        return refuse(level_in, "Level",
                      "Level file %s: %d blocks do not fit in the world (room for %d); level refused",
                      level_name, block_count, room);

    // Nothing keeps a pointer to the previous level across levels (enemies
    // copy the path, the treasure its cell), so it is released here.
    level = std::make_unique<Level>(std::move(name), std::move(description), size_x, size_y, enemy_start_x,
                                    enemy_start_y, treasure_x, treasure_y);

    for (int i = 0; i < block_count; ++i) {
        const std::string label = zp::readLineStr(level_in, BLOCK_TOKEN);
        const int pos_x = readCoordinate(level_in, POS_X_TOKEN, level_file);
        const int pos_y = readCoordinate(level_in, POS_Y_TOKEN, level_file);
        if (!nextLineIs(level_in, END_TOKEN))
            return refuse(level_in, "Level", "Level file %s: block %d is not closed by \"end\"", level_name,
                          i + 1);
        level->addBlock(createBlock(label, zp::Position(pos_x, pos_y)));
    }
    if (!nextLineIs(level_in, EOF_TOKEN))
        return refuse(level_in, "Level", "Level file %s: no \"eof\" after %d blocks", level_name,
                      std::max(block_count, 0));

    zp::LineReader path_in(path_file);
    if (!path_in.isOpen()) {
        zp::LogManager::getInstance().writeLog("Path file %s; the level has no path",
                                               path_in.getError().text().c_str());
        return 0;
    }

    const int point_count = zp::readLineInt(path_in, BLOCK_COUNT_TOKEN);
    if (!nextLineIs(path_in, END_TOKEN))
        return refuse(path_in, "Path", "Path file %s: the header is not closed by \"end\"", path_name);
    std::vector<zp::Position>& path = level->getPath();
    for (int i = 0; i < point_count; ++i) {
        const int pos_x = readCoordinate(path_in, POS_X_TOKEN, path_file);
        const int pos_y = readCoordinate(path_in, POS_Y_TOKEN, path_file);
        // A point whose lines were refused is no point.
        if (path_in.failed())
            return refuse(path_in, "Path", "Path file %s: point %d cannot be read", path_name, i + 1);
        path.emplace_back(pos_x, pos_y);
        if (!nextLineIs(path_in, END_TOKEN))
            return refuse(path_in, "Path", "Path file %s: point %d is not closed by \"end\"", path_name,
                          i + 1);
    }
    if (!nextLineIs(path_in, EOF_TOKEN))
        return refuse(path_in, "Path", "Path file %s: no \"eof\" after %d points", path_name,
                      std::max(point_count, 0));
    return 0;
}

Level* LevelManager::getLevel() const
{
    return level.get();
}
