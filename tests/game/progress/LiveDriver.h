// Drives the real game on the shipped data as a player would, a frame at a
// time: input goes through the input manager (so every recorder hears it),
// and a few things a player does often (a Gatling where it reaches the track).
#pragma once

#include "level/Level.h"
#include "level/LevelManager.h"
#include "turrets/Turret.h"

#include "zp/GameManager.h"
#include "zp/InputManager.h"
#include "zp/InputRecording.h"
#include "zp/InputReplayer.h"
#include "zp/ObjectListIterator.h"
#include "zp/ViewObject.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace live {

const zp::Position GATLING_PANEL(66, 2);

template <class T> std::vector<T*> objectsOf()
{
    std::vector<T*> found;
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next())
        if (auto* p_t = dynamic_cast<T*>(it.currentObject()))
            found.push_back(p_t);
    return found;
}

inline int counterValue(const std::string& label)
{
    for (zp::ViewObject* p_view : objectsOf<zp::ViewObject>())
        if (p_view->getViewString() == label)
            return p_view->getValue();
    return -1;
}

inline int stepNow()
{
    return zp::GameManager::getInstance().getStepCount();
}

// Input sent the way the input manager sends it (through a replayer, so
// every recorder hears it), at the start of the next frame.
class Driver {
public:
    void press(int key) { recording.addKeyboard(stepNow(), zp::KEY_PRESSED, key); }
    void click(zp::Position cell) { recording.addMouse(stepNow(), zp::CLICKED, 0, cell); }
    void move(zp::Position cell) { recording.addMouse(stepNow(), zp::MOVED, 0, cell); }

    // One frame, with what was pressed or clicked since the last (unless
    // the game replays input of its own, a save it continues).
    void frame()
    {
        zp::InputManager& input = zp::InputManager::getInstance();
        if (replayer.getSentCount() < recording.getInputs().size() && !input.isReplaying()) {
            recording.setEndStep(stepNow());
            // Once this input is sent the replayer lets go, and frames go on without input.
            input.setReplayer(&replayer, [](zp::InputReplayer&) {});
        }
        zp::GameManager::getInstance().frame();
    }

    void frames(int count)
    {
        for (int i = 0; i < count; ++i)
            frame();
    }

    // Frames until the condition holds (at most `limit`); true when it did.
    bool until(const std::function<bool()>& condition, int limit = 3000)
    {
        for (int i = 0; i < limit && !condition(); ++i)
            frame();
        return condition();
    }

private:
    zp::InputRecording recording;
    zp::InputReplayer replayer{recording};
};

// A Gatling beside the track, where it reaches the enemies: the free
// place nearest to a cell of the path.
inline void buildAGatling(Driver& driver)
{
    const std::vector<zp::Position>& path = LevelManager::getInstance().getLevel()->getPath();
    const zp::Position near = path[path.size() / 3];
    for (int ring = 1; ring <= 6; ++ring) {
        for (int dy = -ring; dy <= ring; ++dy) {
            for (int dx = -2 * ring; dx <= 2 * ring; ++dx) {
                if (std::max(std::abs(dx) / 2, std::abs(dy)) != ring)
                    continue;
                const zp::Position place(near.getX() + dx, near.getY() + dy);
                driver.click(GATLING_PANEL);
                driver.frame();
                driver.move(place);
                driver.click(place);
                driver.frame();
                if (!objectsOf<Turret>().empty())
                    return;
            }
        }
    }
    FAIL() << "no place for a Gatling near the track";
}

} // namespace live
