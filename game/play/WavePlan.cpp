#include "play/WavePlan.h"

namespace {

std::string kindText(int count, const char* kind, int health)
{
    return std::to_string(count) + " " + kind + " " + std::to_string(health) + "hp";
}

} // namespace

int WavePlan::enemyCount() const
{
    return easy_count + medium_count + hard_count;
}

bool WavePlan::operator==(const WavePlan& other) const
{
    return easy_count == other.easy_count && medium_count == other.medium_count &&
           hard_count == other.hard_count && easy_health == other.easy_health &&
           medium_health == other.medium_health && hard_health == other.hard_health;
}

WavePlan planOfWave(const WavePlan& previous, int wave)
{
    // The rules of the fifth and tenth waves strengthen the easy enemies too.
    WavePlan plan = previous;
    if (wave % 2 == 0) {
        plan.easy_count += EASY_COUNT_STEP;
        plan.easy_health += EASY_HEALTH_STEP;
    }
    if (wave % 5 == 0) {
        plan.medium_count += 1;
        plan.easy_health += EASY_HEALTH_STEP_FIFTH;
        plan.medium_health += MEDIUM_HEALTH_STEP;
    }
    if (wave % 10 == 0) {
        plan.hard_count += 1;
        plan.easy_health += EASY_HEALTH_STEP_TENTH;
        plan.hard_health += HARD_HEALTH_STEP;
    }
    return plan;
}

std::string wavePreviewText(int wave, const WavePlan& plan)
{
    std::string text = "Next wave " + std::to_string(wave) + ":";
    const char* separator = " ";
    const struct {
        int count;
        const char* kind;
        int health;
    } kinds[] = {
        {plan.easy_count, "easy", plan.easy_health},
        {plan.medium_count, "medium", plan.medium_health},
        {plan.hard_count, "hard", plan.hard_health},
    };
    for (const auto& k : kinds) {
        if (k.count <= 0)
            continue;
        text += separator + kindText(k.count, k.kind, k.health);
        separator = ", ";
    }
    return text;
}
