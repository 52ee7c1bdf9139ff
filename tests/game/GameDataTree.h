// Helpers for tests that lay out their own "../GameData/" tree instead of
// the repository's data set: a private data folder and levels.
#pragma once

#include "support/RunDir.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zp::test {

// Replaces the run folder's link to the repository's data with an empty
// folder of this test's own (the link only is removed, never its target;
// where no link could be made, the run's own copy).
inline std::string privateGameData()
{
    namespace fs = std::filesystem;
    const fs::path data = fs::path(runDir()).parent_path() / "GameData";
    if (fs::is_symlink(data))
        fs::remove(data);
    else
        fs::remove_all(data);
    fs::create_directories(data);
    return data.string();
}

// A level file without blocks, named `name`, with its enemy start at
// (0, row) and its treasure at (20, row).
inline std::string levelText(const std::string& name, int row)
{
    const std::string r = std::to_string(row);
    return "name " + name +
           "\ndescription fixture\nsize_x 80\nsize_y 24\nblock_count 0\n"
           "enemy_start_x 0\nenemy_start_y " +
           r + "\ntreasure_x 20\ntreasure_y " + r + "\nend\neof\n";
}

// A path file of `points` cells along `row`, from column 0.
inline std::string pathText(int points, int row)
{
    std::string text = "block_count " + std::to_string(points) + "\nend\n";
    for (int x = 0; x < points; ++x)
        text += "pos_x " + std::to_string(x) + "\npos_y " + std::to_string(row) + "\nend\n";
    return text + "eof\n";
}

} // namespace zp::test
