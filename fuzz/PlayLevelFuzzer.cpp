// A level file and its path file played by the real level controller: its
// board, counters, panels, treasure and waves, with turrets bought and
// placed along the path and sold again, for a bounded number of frames.
// The input is the level file, then optionally a line "%%" and the path
// file; without one the data set's path of level 1 is used.
#include "FuzzInput.h"
#include "FuzzPlay.h"
#include "content/DataPaths.h"
#include "content/Resources.h"
#include "level/LevelFiles.h"
#include "play/WavesGame.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const char* const PATH_MARK = "\n%%\n";
const int FRAMES = 150;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    zp::fuzz::startGameEngine();
    loadResources();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string level_file = zp::fuzz::inputPath("level.txt");
    static const std::string path_file = zp::fuzz::inputPath("path.txt");
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t mark = input.find(PATH_MARK);
    const std::string level = input.substr(0, mark == std::string::npos ? mark : mark + 1);
    zp::fuzz::writeInput(level_file, reinterpret_cast<const std::uint8_t*>(level.data()), level.size());
    const std::string path_used = mark == std::string::npos ? gameDataPath(LEVELS[0].path_file) : path_file;
    if (mark != std::string::npos) {
        const std::string path = input.substr(mark + std::string(PATH_MARK).size());
        zp::fuzz::writeInput(path_file, reinterpret_cast<const std::uint8_t*>(path.data()), path.size());
    }

    new WavesGame(level_file, path_used);
    zp::fuzz::playWithTurrets(FRAMES);
    zp::fuzz::endPlay();
    return 0;
}
