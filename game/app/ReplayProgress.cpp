#include "app/ReplayProgress.h"

#include <algorithm>
#include <cmath>

namespace {

const double MICROSECONDS_PER_SECOND = 1e6;
const long SECONDS_PER_MINUTE = 60;
const long SECONDS_PER_HOUR = 3600;
// Back to the line's start, and the rest of the line blanked.
const char* const REWRITE = "\r";
const char* const ERASE_REST = "\033[K";

std::string duration(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0)
        return "?:??:??";
    const long whole = long(std::ceil(seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / SECONDS_PER_HOUR,
                  whole % SECONDS_PER_HOUR / SECONDS_PER_MINUTE, whole % SECONDS_PER_MINUTE);
    return text;
}

} // namespace

ReplayProgress::ReplayProgress(std::FILE* p_new_out, int new_first_step, int new_end_step)
    : p_out(p_new_out), first_step(new_first_step), end_step(new_end_step)
{
}

void ReplayProgress::update(int step, std::int64_t now_us)
{
    if (start_us < 0)
        start_us = now_us;
    else if (now_us - last_update_us < PROGRESS_INTERVAL_US)
        return;
    last_update_us = now_us;
    const double seconds = double(now_us - start_us) / MICROSECONDS_PER_SECOND;
    const double per_second = seconds > 0 ? (step - first_step) / seconds : 0;
    std::fprintf(p_out, "%s%s%s", REWRITE, text(step, first_step, end_step, per_second).c_str(), ERASE_REST);
    std::fflush(p_out);
    ++updates;
}

void ReplayProgress::clear()
{
    if (updates == 0)
        return;
    std::fprintf(p_out, "%s%s", REWRITE, ERASE_REST);
    std::fflush(p_out);
}

int ReplayProgress::getUpdates() const
{
    return updates;
}

std::string ReplayProgress::text(int step, int first_step, int end_step, double steps_per_second)
{
    // Whole steps in 64 bits: the end may be the largest int.
    const std::int64_t total = std::max<std::int64_t>(std::int64_t(end_step) - first_step, 0);
    const std::int64_t done = std::clamp<std::int64_t>(std::int64_t(step) - first_step, 0, total);
    // Rounded down, so 100 % shows only at the end.
    const double percent = total > 0 ? std::floor(1000.0 * double(done) / double(total)) / 10.0 : 100.0;
    const double left = steps_per_second > 0 ? double(total - done) / steps_per_second : -1;
    char line[160];
    std::snprintf(line, sizeof line, "replay: step %d of %d (%.1f %%), %.0f steps/s, %s left", step, end_step,
                  percent, steps_per_second, duration(left).c_str());
    return line;
}
