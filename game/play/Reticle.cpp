#include "play/Reticle.h"

#include "zp/EventMouse.h"
#include "zp/GraphicsManager.h"
#include "zp/WorldManager.h"

namespace {

const char RETICLE_CHAR = '+';
const zp::Color RETICLE_COLOR = zp::RED;

} // namespace

Reticle::Reticle()
{
    setType("Reticle");
    setSolidness(zp::SPECTRAL);
    setAltitude(zp::MAX_ALTITUDE);
    const zp::Box boundary = zp::WorldManager::getInstance().getBoundary();
    setPosition(zp::Position(boundary.getHorizontal() / 2, boundary.getVertical() / 2));
}

Reticle::~Reticle() = default;

int Reticle::eventHandler(const zp::Event* p_e)
{
    if (p_e->getType() != zp::MOUSE_EVENT)
        return 0;
    const auto* p_mouse = static_cast<const zp::EventMouse*>(p_e);
    if (p_mouse->getMouseAction() != zp::MOVED)
        return 0;
    setPosition(p_mouse->getMousePosition());
    return 1;
}

void Reticle::draw()
{
    zp::GraphicsManager::getInstance().drawCh(getPosition(), RETICLE_CHAR, RETICLE_COLOR);
}
