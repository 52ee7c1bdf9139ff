#include "hud/CurrencyView.h"

#include "content/GameEvents.h"

#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"
#include "zp/WorldManager.h"

bool currencyCovers(int amount)
{
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next())
        if (it.currentObject()->getType() == CURRENCY_VIEW_TYPE)
            if (const auto* p_view = dynamic_cast<const zp::ViewObject*>(it.currentObject()))
                return p_view->getValue() >= amount;
    return false;
}

CurrencyView::CurrencyView(zp::Position p)
{
    setPosition(p);
    setType(CURRENCY_VIEW_TYPE);
    setViewString(CURRENCY_TAG);
    setColor(zp::WHITE);
    setValue(CURRENCY_START);
}

CurrencyView::~CurrencyView() = default;
