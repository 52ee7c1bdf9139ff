#include "progress/PlayStatistics.h"

#include "content/GameEvents.h"
#include "content/PlayEvents.h"
#include "enemies/Enemy.h"
#include "turrets/TurretKinds.h"

#include "zp/EventView.h"
#include "zp/GameManager.h"

#include <algorithm>
#include <cstdio>

namespace {

const int MILLISECONDS_PER_SECOND = 1000;
const int SECONDS_PER_MINUTE = 60;
const int SECONDS_PER_HOUR = 3600;

int total(const std::map<std::string, int>& counts)
{
    int sum = 0;
    for (const auto& [kind, count] : counts)
        sum += count;
    return sum;
}

// "none", or "12 easy, 3 medium": the known names first in their order, then any other.
std::string countsText(const std::map<std::string, int>& counts, const std::vector<std::string>& order)
{
    std::string text;
    auto add = [&text](const std::string& name, int count) {
        if (count == 0)
            return;
        text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + name;
    };
    for (const std::string& name : order) {
        const auto found = counts.find(name);
        add(name, found == counts.end() ? 0 : found->second);
    }
    for (const auto& [name, count] : counts)
        if (std::find(order.begin(), order.end(), name) == order.end())
            add(name, count);
    return text.empty() ? "none" : text;
}

} // namespace

void PlayStatistics::count(const zp::Event& event)
{
    const std::string& type = event.getType();
    if (type == ENEMY_KILLED_EVENT) {
        if (const auto* p_killed = dynamic_cast<const EnemyKilledEvent*>(&event))
            if (p_killed->wasDestroyed())
                ++enemies_destroyed[p_killed->getKind()];
    } else if (type == TURRET_BUILT_EVENT || type == TURRET_SOLD_EVENT) {
        if (const auto* p_turret = dynamic_cast<const TurretEvent*>(&event))
            ++(type == TURRET_BUILT_EVENT ? turrets_built : turrets_sold)[p_turret->getTurretType()];
    } else if (type == zp::VIEW_EVENT) {
        const auto& view = static_cast<const zp::EventView&>(event);
        if (!view.getDelta())
            return;
        if (view.getTag() == CURRENCY_TAG) {
            if (view.getValue() > 0)
                currency_earned += view.getValue();
            else
                currency_spent -= view.getValue();
        } else if (view.getTag() == LIVES_TAG && view.getValue() < 0) {
            lives_lost -= view.getValue();
        }
    }
}

int PlayStatistics::enemiesDestroyed() const
{
    return total(enemies_destroyed);
}

bool PlayStatistics::operator==(const PlayStatistics& other) const
{
    return enemies_destroyed == other.enemies_destroyed && turrets_built == other.turrets_built &&
           turrets_sold == other.turrets_sold && currency_earned == other.currency_earned &&
           currency_spent == other.currency_spent && lives_lost == other.lives_lost && steps == other.steps;
}

std::string playTimeText(int steps)
{
    const long long milliseconds = static_cast<long long>(steps) * zp::FRAME_TIME_DEFAULT;
    const long long seconds = milliseconds / MILLISECONDS_PER_SECOND;
    char text[32];
    if (seconds >= SECONDS_PER_HOUR)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / SECONDS_PER_HOUR,
                      seconds % SECONDS_PER_HOUR / SECONDS_PER_MINUTE, seconds % SECONDS_PER_MINUTE);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", seconds / SECONDS_PER_MINUTE,
                      seconds % SECONDS_PER_MINUTE);
    return text;
}

std::vector<std::string> statisticsLines(int wave, const PlayStatistics& statistics)
{
    const std::vector<std::string> enemy_order(std::begin(ENEMY_KIND_NAMES), std::end(ENEMY_KIND_NAMES));
    // The kinds in their table's order (a kind from elsewhere comes after them).
    std::vector<std::string> turret_order;
    for (const TurretKind* p_kind : SHIPPED_TURRET_KINDS)
        turret_order.push_back(p_kind->turret_type);
    return {
        "Wave reached:       " + std::to_string(wave),
        "Enemies destroyed:  " + std::to_string(statistics.enemiesDestroyed()) + " (" +
            countsText(statistics.enemies_destroyed, enemy_order) + ")",
        "Turrets built:      " + countsText(statistics.turrets_built, turret_order),
        "Turrets sold:       " + countsText(statistics.turrets_sold, turret_order),
        "Currency earned:    " + std::to_string(statistics.currency_earned) +
            ", spent: " + std::to_string(statistics.currency_spent),
        "Lives lost:         " + std::to_string(statistics.lives_lost),
        "Time played:        " + playTimeText(statistics.steps) + " (at the normal speed)",
    };
}
