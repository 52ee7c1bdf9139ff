// The on-screen currency counter. Its value is the player's money: the buy
// panels read it, enemies add their reward and placed turrets their price.
#pragma once

#include "zp/Position.h"
#include "zp/ViewObject.h"

const int CURRENCY_START = 100;

// True when the currency counter holds at least `amount`; false without one.
bool currencyCovers(int amount);

class CurrencyView : public zp::ViewObject {
public:
    explicit CurrencyView(zp::Position p);
    ~CurrencyView() override;
};
