#include "hud/LivesView.h"

#include "content/GameEvents.h"

#include "zp/EventStep.h"
#include "zp/WorldManager.h"

LivesView::LivesView(zp::Position p, int lives)
{
    setPosition(p);
    setViewString(LIVES_TAG);
    setColor(zp::WHITE);
    setValue(lives);
}

LivesView::~LivesView() = default;

int LivesView::eventHandler(const zp::Event* p_e)
{
    // Several enemies may cost a life in one step, so the lives can pass 0.
    if (p_e->getType() == zp::STEP_EVENT && getValue() <= 0) {
        zp::Event game_over;
        game_over.setType(GAME_OVER_EVENT);
        zp::WorldManager::getInstance().onEvent(&game_over);
        return 0;
    }
    return ViewObject::eventHandler(p_e);
}
