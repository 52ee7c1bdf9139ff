// Sprite files through the resource manager's reader; what loads is drawn,
// every frame both ways, as objects draw their sprites.
#include "FuzzInput.h"

#include "zp/Frame.h"
#include "zp/GraphicsManager.h"
#include "zp/ResourceManager.h"
#include "zp/Sprite.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const char* const LABEL = "fuzzed";

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    graphics.setHeadless(true);
    graphics.startUp();
    zp::ResourceManager::getInstance().startUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = zp::fuzz::inputPath("sprite.txt");
    zp::fuzz::writeInput(path, data, size);

    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    if (resources.loadSprite(path, LABEL) != 0)
        return 0;
    const zp::Sprite* p_sprite = resources.getSprite(LABEL);
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    for (int i = 0; i < p_sprite->getFrameCount(); ++i) {
        const zp::Frame& frame = p_sprite->getFrame(i);
        graphics.drawFrame(zp::Position(40, 12), frame, true, p_sprite->getColor());
        graphics.drawFrame(zp::Position(0, 0), frame, false, p_sprite->getColor());
    }
    graphics.swapBuffers();
    resources.unloadSprite(LABEL);
    return 0;
}
