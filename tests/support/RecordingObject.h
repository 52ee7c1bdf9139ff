// A world object for engine tests: records what reaches it, in order, and
// runs an optional action on each step.
#pragma once

#include "zp/Event.h"
#include "zp/EventStep.h"
#include "zp/Object.h"

#include <functional>
#include <string>
#include <vector>

namespace zp::test {

class RecordingObject : public Object {
public:
    explicit RecordingObject(std::vector<std::string>* p_journal = nullptr, std::string journal_name = "")
        : p_shared_journal(p_journal), name(std::move(journal_name))
    {
    }
    ~RecordingObject() override
    {
        if (p_destroyed != nullptr)
            ++*p_destroyed;
        if (on_destroy)
            on_destroy();
    }

    int eventHandler(const Event* p_e) override
    {
        events.push_back(p_e->getType());
        if (p_e->getType() == STEP_EVENT) {
            steps.push_back(static_cast<const EventStep*>(p_e)->getStepCount());
            if (on_step)
                on_step(*this);
        }
        if (on_event)
            on_event(*this, p_e);
        return 0;
    }

    void draw() override
    {
        ++draws;
        if (p_shared_journal != nullptr)
            p_shared_journal->push_back(name);
        Object::draw();
    }

    int count(const std::string& event_type) const
    {
        int n = 0;
        for (const std::string& event : events)
            n += event == event_type ? 1 : 0;
        return n;
    }

    std::vector<std::string> events;
    std::vector<int> steps;
    int draws = 0;
    int* p_destroyed = nullptr;
    std::function<void()> on_destroy;
    std::function<void(RecordingObject&)> on_step;
    std::function<void(RecordingObject&, const Event*)> on_event;

private:
    std::vector<std::string>* p_shared_journal;
    std::string name;
};

} // namespace zp::test
