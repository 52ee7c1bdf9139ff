#include "hud/CurrencyView.h"

#include "content/GameEvents.h"

CurrencyView::CurrencyView(zp::Position p)
{
    setPosition(p);
    setType(CURRENCY_VIEW_TYPE);
    setViewString(CURRENCY_TAG);
    setColor(zp::WHITE);
    setValue(CURRENCY_START);
}

CurrencyView::~CurrencyView() = default;
