// Reads a level file and its path file into the current Level and places
// the track's blocks in the world.
#pragma once

#include "zp/Manager.h"

#include <memory>
#include <string>

class Level;

// World slots a level's blocks must leave free for play: the controller,
// counters, panels, treasure and reticle, the enemies of a wave, the turrets
// and cursors.
const int PLAY_OBJECTS_RESERVE = 1000;

class LevelManager : public zp::Manager {
public:
    static LevelManager& getInstance();
    ~LevelManager() override;

    int startUp() override;
    // Releases the current level.
    void shutDown() override;

    // 0 on success, -1 on failure; a failure after the header keeps the new
    // level current with what was read so far. The level it replaces is
    // released. A block whose label names no loaded sprite is still placed,
    // without a sprite, and a warning is logged. A level with more blocks than
    // the world has room for (beside PLAY_OBJECTS_RESERVE) is refused whole,
    // like a broken header. Both files are read by zp::LineReader: one that
    // is not a regular file counts as missing, and a line it refuses (too
    // long, a NUL byte) as a broken line there. Every failure, and a missing
    // path file, is logged with the file's name (and the line, when the
    // reader refused one).
    int loadLevel(const std::string& level_file, const std::string& path_file);
    // The current level, or nullptr before a level header has been read.
    Level* getLevel() const;

private:
    LevelManager();

    std::unique_ptr<Level> level;
};
