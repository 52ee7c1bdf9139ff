#include "turrets/TurretSummary.h"

#include "turrets/Turret.h"

namespace {

std::string change(const char* name, int from, int to)
{
    return std::string(name) + " " + std::to_string(from) + ">" + std::to_string(to);
}

} // namespace

std::string upgradeEffect(const TurretStats& from, const TurretStats& to)
{
    const struct {
        const char* name;
        int from;
        int to;
    } numbers[] = {
        {"rng", from.range, to.range},
        {"dmg", from.damage, to.damage},
        {"rate", from.fire_rate, to.fire_rate},
        {"frz", from.freeze_steps, to.freeze_steps},
    };
    std::string effect;
    for (const auto& number : numbers) {
        if (number.from == number.to)
            continue;
        effect += (effect.empty() ? "" : " ") + change(number.name, number.from, number.to);
    }
    return effect.empty() ? "no change" : effect;
}

std::string turretSummary(const Turret& turret)
{
    std::string line = turret.getType() + " Lv" + std::to_string(turret.getUpgradeLevel()) + " aim " +
                       targetModeName(turret.getTargetMode()) + " (T) | ";
    if (const TurretUpgrade* p_next = turret.nextUpgrade()) {
        const TurretStats now = {turret.getRange(), turret.getDamage(), turret.getFireRate(),
                                 turret.getFreezeSteps()};
        line += "U " + std::to_string(p_next->cost) + ": " + upgradeEffect(now, p_next->stats);
    } else {
        line += "top level";
    }
    return line + " | sell " + std::to_string(turret.getSpent() / SELL_REFUND_DIVISOR);
}
