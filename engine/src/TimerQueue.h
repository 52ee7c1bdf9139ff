// The world's timers: per object, named timers that come due at a world
// step, once or every so many steps. They are counted in steps, not in
// time, so pause, speed and replay move them exactly as they move the world.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace zp {

class Object;

class TimerQueue {
public:
    // Starts the object's timer of that name, or starts it again: due at
    // `due_step`, then every `period` steps when period > 0.
    void start(Object* p_o, const std::string& name, int due_step, int period);
    // 0 when the timer was running, -1 otherwise.
    int stop(const Object* p_o, const std::string& name);
    // The step the timer comes due at, or -1 when it does not run.
    int dueStep(const Object* p_o, const std::string& name) const;
    // Forgets every timer of the object.
    void forget(const Object* p_o);
    void clear();
    // Sends a timer event for every timer due at or before `step`, in the
    // order of their due steps and, within a step, of their starts.
    void fire(int step);

private:
    struct Key {
        int due_step;
        std::uint64_t sequence;
        bool operator<(const Key& other) const
        {
            return due_step != other.due_step ? due_step < other.due_step : sequence < other.sequence;
        }
    };
    struct Timer {
        Object* p_object;
        std::string name;
        int period;
    };
    using Owner = std::pair<const Object*, std::string>;

    void schedule(Timer timer, int due_step);

    std::map<Key, Timer> queue;
    std::map<Owner, Key> by_owner;
    std::uint64_t next_sequence = 0;
};

} // namespace zp
