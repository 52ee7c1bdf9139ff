#include "content/DataPaths.h"

namespace {

std::string& dataDir()
{
    static std::string dir = GAME_DATA_DIR;
    return dir;
}

} // namespace

void setGameDataDir(const std::string& dir)
{
    if (dir.empty())
        dataDir() = GAME_DATA_DIR;
    else
        dataDir() = dir.back() == '/' ? dir : dir + '/';
}

std::string gameDataDir()
{
    return dataDir();
}

std::string gameDataPath(const std::string& relative_path)
{
    return dataDir() + relative_path;
}
