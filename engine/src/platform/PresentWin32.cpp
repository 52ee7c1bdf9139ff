#include "platform/Platform.h"

namespace zp::platform {

// Windows swaps whole frames: every frame is drawn whole.
bool canShowParts()
{
    return false;
}

bool showParts(const std::vector<PixelRect>&, int)
{
    return false;
}

void watchExposure(sf::WindowHandle)
{
}

bool tookExposure()
{
    return false;
}

} // namespace zp::platform
