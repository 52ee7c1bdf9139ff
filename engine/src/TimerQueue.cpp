#include "TimerQueue.h"

#include "zp/EventTimer.h"
#include "zp/Object.h"

namespace zp {

void TimerQueue::schedule(Timer timer, int due_step)
{
    const Key key{due_step, next_sequence++};
    by_owner[Owner(timer.p_object, timer.name)] = key;
    queue.emplace(key, std::move(timer));
}

void TimerQueue::start(Object* p_o, const std::string& name, int due_step, int period)
{
    stop(p_o, name);
    schedule(Timer{p_o, name, period}, due_step);
}

int TimerQueue::stop(const Object* p_o, const std::string& name)
{
    const auto found = by_owner.find(Owner(p_o, name));
    if (found == by_owner.end())
        return -1;
    queue.erase(found->second);
    by_owner.erase(found);
    return 0;
}

int TimerQueue::dueStep(const Object* p_o, const std::string& name) const
{
    const auto found = by_owner.find(Owner(p_o, name));
    return found == by_owner.end() ? -1 : found->second.due_step;
}

void TimerQueue::forget(const Object* p_o)
{
    // The owner's timers sit together in by_owner, from its empty name on.
    auto it = by_owner.lower_bound(Owner(p_o, std::string()));
    while (it != by_owner.end() && it->first.first == p_o) {
        queue.erase(it->second);
        it = by_owner.erase(it);
    }
}

void TimerQueue::clear()
{
    queue.clear();
    by_owner.clear();
}

void TimerQueue::fire(int step)
{
    // Handlers may start and stop timers meanwhile; what they start comes
    // due at a later step, so the walk ends.
    while (!queue.empty() && queue.begin()->first.due_step <= step) {
        const auto first = queue.begin();
        const int due_step = first->first.due_step;
        Timer timer = std::move(first->second);
        queue.erase(first);
        by_owner.erase(Owner(timer.p_object, timer.name));
        Object* const p_object = timer.p_object;
        const std::string name = timer.name;
        const int next_due_step = due_step + timer.period;
        if (timer.period > 0)
            schedule(std::move(timer), next_due_step);
        EventTimer event(name, step);
        p_object->eventHandler(&event);
    }
}

} // namespace zp
