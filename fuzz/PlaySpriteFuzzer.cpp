// A sprite file loaded under every label of the game's sprites, then level 1
// of the data set played with it: the track, enemies, turrets, cursors,
// panels and treasure all show it, turrets are bought, placed and sold, for
// a bounded number of frames.
#include "FuzzInput.h"
#include "FuzzPlay.h"
#include "content/Resources.h"
#include "play/WavesGame.h"

#include "zp/ResourceManager.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

const int FRAMES = 120;
const int LEVEL = 1;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    zp::fuzz::startGameEngine();
    loadResources();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string sprite_file = zp::fuzz::inputPath("sprite.txt");
    static const std::vector<std::string> labels = spriteLabels();
    zp::fuzz::writeInput(sprite_file, data, size);

    // A new table of sprites for each input; sounds and music stay loaded.
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    resources.shutDown();
    resources.startUp();
    for (const std::string& label : labels)
        if (resources.loadSprite(sprite_file, label) != 0)
            return 0;

    startWavesGame(LEVEL);
    zp::fuzz::playWithTurrets(FRAMES);
    zp::fuzz::endPlay();
    return 0;
}
