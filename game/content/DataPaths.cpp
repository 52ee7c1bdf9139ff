#include "content/DataPaths.h"

std::string gameDataPath(const std::string& relative_path)
{
    return GAME_DATA_DIR + relative_path;
}
