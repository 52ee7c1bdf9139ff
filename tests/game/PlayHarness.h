// Drives the real game loop step by step on the small boards and sprites of
// tests/fixtures/play: starts the engine headless, loads fixture data under
// the game's labels and sends mouse and keyboard events the way the input
// manager does.
#pragma once

#include "GameFixture.h"
#include "app/WorldLookup.h"
#include "level/Level.h"
#include "level/LevelManager.h"
#include "support/AudioLibrary.h"
#include "support/RunDir.h"
#include "support/Wav.h"

#include "zp/Event.h"
#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"
#include "zp/EventStep.h"
#include "zp/EventView.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/Object.h"
#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/ViewObject.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace play {

// Every sprite label that the playing screen uses.
const char* const ENEMY_LABELS[] = {"enemy-easy", "enemy-medium", "enemy-hard"};
const char* const TURRET_LABELS[] = {"gatling", "rocket", "freeze"};
const char* const BUILD_LABELS[] = {"gatling-build", "rocket-build", "freeze-build"};
const char* const PANEL_LABELS[] = {"gatling-select", "rocket-select", "freeze-select"};
const char* const SOUND_LABELS[] = {"shoot", "explosion", "freeze"};

// The fixture boards: a block at (30, 15); enemies start at (10, 10) and walk
// right along row 10, three cells on the short board, thirty on the long one.
const zp::Position ENEMY_START(10, 10);
const zp::Position BLOCK_CELL(30, 15);
const zp::Position SHORT_TREASURE(14, 10);
const zp::Position SHORT_PATH_END(13, 10);

inline std::string playFixture(const std::string& name)
{
    return zp::test::fixture("play/" + name);
}

inline std::string levelFile(const std::string& board)
{
    return playFixture("levels/" + board + ".txt");
}

inline std::string pathFile(const std::string& board)
{
    return playFixture("levels/" + board + "-path.txt");
}

// The world's objects of a class, as the game's tools look them up.
using ::objectsOf;

// The objects of class T whose type string is `type`, in world order.
template <class T> std::vector<T*> objectsOfType(const std::string& type)
{
    std::vector<T*> found;
    for (T* p_t : objectsOf<T>())
        if (p_t->getType() == type)
            found.push_back(p_t);
    return found;
}

inline int worldCount()
{
    return zp::WorldManager::getInstance().getAllObjects().getCount();
}

// The value of the one counter that carries the label, or a failure.
inline int counter(const std::string& label)
{
    const std::vector<zp::ViewObject*> found = countersTagged(label);
    EXPECT_EQ(found.size(), 1u) << "counters labelled " << label;
    return found.empty() ? 0 : found.front()->getValue();
}

inline void setCounter(const std::string& label, int value)
{
    const zp::EventView set(label, value, false);
    zp::WorldManager::getInstance().onEvent(&set);
}

// A mouse event as the input manager sends it, at the start of a frame;
// the left button unless another is named.
inline void mouse(zp::MouseAction action, zp::Position cell, int button = 0)
{
    zp::EventMouse event;
    event.setMouseAction(action);
    event.setMouseButton(button);
    event.setMousePosition(cell);
    zp::WorldManager::getInstance().onEvent(&event);
}

inline void click(zp::Position cell)
{
    mouse(zp::CLICKED, cell);
}

inline void rightClick(zp::Position cell)
{
    mouse(zp::CLICKED, cell, 1);
}

inline void moveMouse(zp::Position cell)
{
    mouse(zp::MOVED, cell);
}

inline void key(int code, zp::KeyboardAction action)
{
    zp::EventKeyboard event;
    event.setKey(code);
    event.setKeyboardAction(action);
    zp::WorldManager::getInstance().onEvent(&event);
}

inline void broadcast(const std::string& type)
{
    zp::Event event;
    event.setType(type);
    zp::WorldManager::getInstance().onEvent(&event);
}

inline void step(int count = 1)
{
    for (int i = 0; i < count; ++i)
        zp::GameManager::getInstance().frame();
}

// One iteration of the loop without input and drawing: step events to a
// snapshot of the world, then the world's update. For long runs.
inline void quickStep(int count = 1)
{
    zp::WorldManager& world = zp::WorldManager::getInstance();
    for (int i = 0; i < count; ++i) {
        const zp::ObjectList all = world.getAllObjects();
        for (zp::ObjectListIterator it(&all); !it.isDone(); it.next()) {
            zp::EventStep step_event(0);
            it.currentObject()->eventHandler(&step_event);
        }
        world.update();
    }
}

// Text of a row of the frame that the last step showed.
inline std::string shown(int row)
{
    return zp::GraphicsManager::getInstance().shownRow(row);
}

inline bool logHas(const std::string& line)
{
    return zp::test::readFile(zp::test::runDir() + "/zephane.log").find("Message: " + line + "\n") !=
           std::string::npos;
}

// Remembers which events reach it, by type, in order.
class Listener : public zp::Object {
public:
    Listener() { setSolidness(zp::SPECTRAL); }

    int eventHandler(const zp::Event* p_e) override
    {
        if (p_e->getType() != "zp::step")
            seen.push_back(p_e->getType());
        return 0;
    }

    int count(const std::string& event_type) const
    {
        int n = 0;
        for (const std::string& t : seen)
            n += t == event_type;
        return n;
    }

    std::vector<std::string> seen;
};

// A sound file long enough to be still playing whenever a test looks.
inline std::string writeLongSound()
{
    const unsigned rate = 8000;
    const unsigned seconds = 60;
    std::vector<std::int16_t> samples(rate * seconds, 0);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = std::int16_t((i % 40) * 400);
    const std::string path = zp::test::runDir() + "/long.wav";
    zp::test::writeWav(path, samples, rate);
    return path;
}

// True while the audio library plays any source. The engine's sounds and
// music are sources of the OpenAL library under SFML, which does not report
// the state of a loaded sound through a copy.
inline bool anySourcePlaying()
{
    using IsSource = char (*)(unsigned);
    using GetSourcei = void (*)(unsigned, int, int*);
    const int SOURCE_STATE = 0x1010;
    const int PLAYING = 0x1012;
    const auto is_source = reinterpret_cast<IsSource>(zp::test::audioLibraryFunction("alIsSource"));
    const auto get_sourcei = reinterpret_cast<GetSourcei>(zp::test::audioLibraryFunction("alGetSourcei"));
    if (is_source == nullptr || get_sourcei == nullptr) {
        ADD_FAILURE() << "the audio library is not loaded";
        return false;
    }
    for (unsigned id = 1; id < 4096; ++id) {
        if (!is_source(id))
            continue;
        int state = 0;
        get_sourcei(id, SOURCE_STATE, &state);
        if (state == PLAYING)
            return true;
    }
    return false;
}

// The engine started as the game starts it, headless, with nothing loaded.
class Play : public zp::test::GameFixture {
protected:
    static void loadSprite(const std::string& file, const std::string& label)
    {
        ASSERT_EQ(zp::ResourceManager::getInstance().loadSprite(playFixture("sprites/" + file), label), 0)
            << label;
    }

    static void loadEnemySprites()
    {
        for (const char* label : ENEMY_LABELS)
            loadSprite("enemy.txt", label);
    }

    static void loadTurretSprites()
    {
        for (const char* label : TURRET_LABELS)
            loadSprite("turret.txt", label);
    }

    // Every sprite of the playing screen, and the block of the boards.
    static void loadPlaySprites()
    {
        loadEnemySprites();
        loadTurretSprites();
        for (const char* label : BUILD_LABELS)
            loadSprite("build.txt", label);
        for (const char* label : PANEL_LABELS)
            loadSprite("panel.txt", label);
        loadSprite("treasure.txt", "treasure");
        loadSprite("block.txt", "Block");
    }

    static void loadSound(const std::string& label)
    {
        ASSERT_EQ(zp::ResourceManager::getInstance().loadSound(writeLongSound(), label), 0) << label;
    }

    static void loadMusic(const std::string& label)
    {
        ASSERT_EQ(zp::ResourceManager::getInstance().loadMusic(writeLongSound(), label), 0) << label;
    }

    static void loadBoard(const std::string& board)
    {
        ASSERT_EQ(LevelManager::getInstance().loadLevel(levelFile(board), pathFile(board)), 0) << board;
    }
};

} // namespace play
