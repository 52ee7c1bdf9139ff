// Path files through the level manager, after a good level file without
// blocks.
#include "FuzzInput.h"
#include "level/LevelManager.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const char* const GOOD_LEVEL = "name Fuzz\ndescription Paths only\nsize_x 80\nsize_y 24\nblock_count 0\n"
                               "enemy_start_x 1\nenemy_start_y 1\ntreasure_x 5\ntreasure_y 5\nend\neof\n";

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const std::string level_file = zp::fuzz::inputPath("level.txt");
    zp::fuzz::writeInput(level_file, reinterpret_cast<const std::uint8_t*>(GOOD_LEVEL),
                         std::string(GOOD_LEVEL).size());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string level_file = zp::fuzz::inputPath("level.txt");
    static const std::string path_file = zp::fuzz::inputPath("path.txt");
    zp::fuzz::writeInput(path_file, data, size);

    LevelManager& levels = LevelManager::getInstance();
    levels.loadLevel(level_file, path_file);
    levels.shutDown();
    return 0;
}
