// A faster game runs more world steps per frame, never bigger steps: the same
// input delivered at the same step numbers leads through the same states,
// step for step, at every speed. This is what lets a game be recorded at one
// speed and replayed at another.
#include "PlayHarness.h"
#include "enemies/Enemy.h"
#include "play/PlayControls.h"
#include "play/WavesGame.h"
#include "shop/Build.h"
#include "shop/Info.h"
#include "turrets/Turret.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace play;
using zp::Position;

namespace {

const Position GATLING_PANEL(66, 2);
const Position TURRET_PLACE(14, 8);
// Every input comes at a step number that starts a frame at each speed tried.
const int STEPS_PLAYED = 360;

// What a player does at the start of the frame whose first step has this
// number (counted from the start of play). Several inputs at one number come
// in frames of their own, as a pause and its end do.
struct Input {
    int step;
    std::function<void()> act;
};

void press(int code)
{
    key(code, zp::KEY_PRESSED);
}

const std::vector<Input>& script()
{
    static const std::vector<Input> inputs = {
        {8, [] { click(GATLING_PANEL); }},         {12, [] { moveMouse(TURRET_PLACE); }},
        {16, [] { click(TURRET_PLACE); }},         {20, [] { press(sf::Keyboard::N); }},
        {200, [] { press(sf::Keyboard::N); }},     {240, [] { rightClick(TURRET_PLACE); }},
        {280, [] { press(sf::Keyboard::P); }},     {280, [] { press(sf::Keyboard::P); }},
        {300, [] { press(sf::Keyboard::H); }},     {300, [] { moveMouse(Position(3, 20)); }},
        {300, [] { press(sf::Keyboard::Slash); }}, {320, [] { click(GATLING_PANEL); }},
        {324, [] { press(sf::Keyboard::N); }},
    };
    return inputs;
}

// Everything the game's logic keeps, object by object in world order. A
// running animation's frame is left out: sprites animate as they are drawn,
// once a frame, and a frame holds more steps at a higher speed. Frames that
// the game chooses (slowdown 0: aiming turrets, cursors, panels) are kept.
std::string digest(const zp::Object* p_skip)
{
    std::ostringstream out;
    const zp::GameManager& engine = zp::GameManager::getInstance();
    out << "paused " << engine.isPaused() << "\n";
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        const zp::Object* p_o = it.currentObject();
        if (p_o == p_skip)
            continue;
        out << p_o->getType() << " at " << p_o->getPosition().getX() << "," << p_o->getPosition().getY()
            << " solid " << p_o->getSolidness() << " alt " << p_o->getAltitude();
        if (p_o->getSpriteSlowdown() == 0)
            out << " frame " << p_o->getSpriteIndex();
        if (const auto* p_view = dynamic_cast<const zp::ViewObject*>(p_o))
            out << " " << p_view->getViewString() << p_view->getValue();
        if (const auto* p_enemy = dynamic_cast<const Enemy*>(p_o))
            out << " health " << p_enemy->getHealth() << "/" << p_enemy->getMaxHealth() << " frozen "
                << p_enemy->isFrozen() << " path " << p_enemy->getPath().size();
        if (const auto* p_turret = dynamic_cast<const Turret*>(p_o))
            out << " countdown " << p_turret->getFireCountdown() << " sold " << p_turret->isSold();
        if (const auto* p_build = dynamic_cast<const Build*>(p_o))
            out << " price " << p_build->getPrice();
        if (const auto* p_game = dynamic_cast<const WavesGame*>(p_o)) {
            const WavePlan plan = p_game->getComingWave();
            out << " wave " << p_game->getWave() << " spawning " << p_game->isSpawning() << " countdown "
                << p_game->getWaveCountdown() << " plan " << plan.easy_count << "x" << plan.easy_health << " "
                << plan.medium_count << "x" << plan.medium_health << " " << plan.hard_count << "x"
                << plan.hard_health;
        }
        if (const auto* p_controls = dynamic_cast<const PlayControls*>(p_o))
            out << " player pause " << p_controls->isPausedByPlayer() << " help "
                << p_controls->isHelpShown();
        out << "\n";
    }
    return out.str();
}

// First in the world, it sees each step's state before any object acts in
// that step: the state that the previous step and the frame's input left.
class StateRecorder : public zp::Object {
public:
    StateRecorder() { setSolidness(zp::SPECTRAL); }

    int eventHandler(const zp::Event* p_e) override
    {
        if (p_e->getType() == zp::STEP_EVENT)
            states.push_back(digest(this));
        return 0;
    }

    std::vector<std::string> states;
};

class SpeedReplay : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        loadMusic("background");
        for (const char* label : SOUND_LABELS)
            loadSound(label);
    }

    // Plays the script on a fresh board at the given speed; the states seen
    // at every step, and the state at the end.
    std::vector<std::string> play(int speed, int* p_frames = nullptr)
    {
        zp::WorldManager& world = zp::WorldManager::getInstance();
        world.shutDown();
        world.startUp();
        zp::GameManager& engine = zp::GameManager::getInstance();
        engine.setPaused(false);
        EXPECT_EQ(engine.setStepsPerFrame(speed), 0);

        auto* p_recorder = new StateRecorder;
        new WavesGame(levelFile("long"), pathFile("long"));
        const int start = engine.getStepCount();
        size_t next = 0;
        int frames = 0;
        for (; engine.getStepCount() - start < STEPS_PLAYED && frames < 10 * STEPS_PLAYED; ++frames) {
            const int played = engine.getStepCount() - start;
            EXPECT_TRUE(next >= script().size() || script()[next].step >= played)
                << "input for step " << script()[next].step << " came too late at speed " << speed;
            if (next < script().size() && script()[next].step == played)
                script()[next++].act();
            engine.frame();
        }
        EXPECT_EQ(next, script().size());
        if (p_frames != nullptr)
            *p_frames = frames;
        EXPECT_EQ(engine.getStepCount() - start, STEPS_PLAYED);
        std::vector<std::string> states = p_recorder->states;
        states.push_back(digest(p_recorder));
        return states;
    }
};

TEST_F(SpeedReplay, EveryStepIsTheSameAtEverySpeed)
{
    int frames = 0;
    const std::vector<std::string> normal = play(1, &frames);
    ASSERT_EQ(normal.size(), size_t(STEPS_PLAYED + 1));
    EXPECT_EQ(frames, STEPS_PLAYED + 3) << "a frame paused by P, two by the help";

    // The script did play: a turret was bought, placed and sold; two waves came.
    const auto seen_in = [&](const std::string& text) {
        for (const std::string& state : normal)
            if (state.find(text) != std::string::npos)
                return true;
        return false;
    };
    EXPECT_TRUE(seen_in("Gatling at 14,8"));
    EXPECT_TRUE(seen_in("sold 1"));
    EXPECT_TRUE(seen_in("GatlingBuild at 14,8"));
    EXPECT_NE(normal.back().find("Wave:2"), std::string::npos) << normal.back();
    EXPECT_NE(normal.back().find("Reticle at 3,20"), std::string::npos) << "moved while the help showed";

    for (int speed : {2, 4}) {
        SCOPED_TRACE("speed " + std::to_string(speed));
        const std::vector<std::string> fast = play(speed);
        ASSERT_EQ(fast.size(), normal.size());
        for (size_t i = 0; i < normal.size(); ++i)
            ASSERT_EQ(fast[i], normal[i]) << "first difference before step " << i;
    }
}

} // namespace
