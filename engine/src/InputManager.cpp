#include "zp/InputManager.h"

#include "LoopThread.h"

#include "platform/Platform.h"
#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/InputRecorder.h"
#include "zp/InputReplayer.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <vector>

namespace zp {

namespace {

// Held keys are polled over SFML's whole key range, Unknown (-1) to Pause (100).
const int FIRST_KEY = sf::Keyboard::Unknown;
const int LAST_KEY = sf::Keyboard::KeyCount - 1;

std::unique_ptr<Event> keyboardEvent(int key, KeyboardAction action)
{
    auto event = std::make_unique<EventKeyboard>();
    event->setKey(key);
    event->setKeyboardAction(action);
    return event;
}

std::unique_ptr<Event> mouseEvent(MouseAction action, int button, int x, int y)
{
    Position cell;
    if (!GraphicsManager::getInstance().windowPixelToCell(Position(x, y), cell))
        return nullptr;
    auto event = std::make_unique<EventMouse>();
    event->setMouseAction(action);
    event->setMouseButton(button);
    event->setMousePosition(cell);
    return event;
}

} // namespace

std::unique_ptr<Event> translateWindowEvent(const sf::Event& window_event)
{
    switch (window_event.type) {
    case sf::Event::KeyPressed:
        return keyboardEvent(window_event.key.code, KEY_PRESSED);
    case sf::Event::KeyReleased:
        return keyboardEvent(window_event.key.code, KEY_RELEASED);
    case sf::Event::MouseMoved:
        return mouseEvent(MOVED, sf::Mouse::Left, window_event.mouseMove.x, window_event.mouseMove.y);
    case sf::Event::MouseButtonPressed:
        return mouseEvent(CLICKED, window_event.mouseButton.button, window_event.mouseButton.x,
                          window_event.mouseButton.y);
    default:
        // Closing (which getInput turns into the end of the game), resizing,
        // focus, text, wheel, button release, enter and leave.
        return nullptr;
    }
}

bool isFullscreenKey(const sf::Event& window_event)
{
    return window_event.type == sf::Event::KeyPressed &&
           (window_event.key.code == sf::Keyboard::F11 ||
            (window_event.key.code == sf::Keyboard::Return && window_event.key.alt));
}

InputManager& InputManager::getInstance()
{
    static InputManager instance;
    return instance;
}

InputManager::InputManager()
{
    setType("InputManager");
}

int InputManager::startUp()
{
    GraphicsManager& graphics = GraphicsManager::getInstance();
    if (!graphics.isStarted())
        return -1;
    graphics.setKeyRepeatEnabled(false);
    return Manager::startUp();
}

void InputManager::shutDown()
{
    GraphicsManager::getInstance().setKeyRepeatEnabled(true);
    platform::releaseHeldKeys();
    Manager::shutDown();
}

void InputManager::getInput()
{
    ZP_LOOP_THREAD_ONLY("InputManager::getInput");
    const int step = GameManager::getInstance().getStepCount();
    if (p_recorder != nullptr)
        p_recorder->beforeInput(step);
    // A copy: a frame-start hook may add or remove recorders.
    const std::vector<InputRecorder*> recorders = more_recorders;
    for (InputRecorder* p_more : recorders)
        p_more->beforeInput(step);
    if (p_replayer != nullptr)
        replayInput();
    else
        readWindowInput();
}

void InputManager::readWindowInput()
{
    sf::RenderWindow* p_window = GraphicsManager::getInstance().getWindow();
    if (p_window == nullptr)
        return;

    // A stop signal ends the frame's input between two events: a flood of
    // them must not keep the loop from ending.
    sf::Event window_event;
    while (platform::stopSignal() == 0 && p_window->pollEvent(window_event)) {
        // The window's close button (or the desktop's close request) ends the
        // game after this frame, as a quit key would.
        if (window_event.type == sf::Event::Closed)
            GameManager::getInstance().setGameOver(true);
        serveWindow(window_event);
        if (std::unique_ptr<Event> p_event = translateWindowEvent(window_event))
            sendLive(*p_event);
        // A handler turned to a replay: its input takes the rest of the frame.
        if (p_replayer != nullptr) {
            replayInput();
            return;
        }
    }
    toggleFullscreenIfAsked();
    if (platform::stopSignal() != 0)
        return;

    // Held keys and buttons are read from the whole keyboard and mouse, so
    // while another window has the focus they belong to that window.
    if (!p_window->hasFocus())
        return;

    // The whole keyboard in one question rather than one per key: asking
    // the X server a hundred times cost milliseconds of every frame.
    std::vector<bool> held_keys;
    platform::readHeldKeys(held_keys);
    for (int key = FIRST_KEY; key <= LAST_KEY; ++key) {
        if (key >= 0 && held_keys[std::size_t(key)])
            sendLive(*keyboardEvent(key, KEY_DOWN));
        if (p_replayer != nullptr) {
            replayInput();
            return;
        }
    }

    if (sf::Mouse::isButtonPressed(sf::Mouse::Left)) {
        EventMouse held;
        held.setMouseAction(PRESSED);
        held.setMouseButton(sf::Mouse::Left);
        send(held);
        if (p_replayer != nullptr)
            replayInput();
    }
}

void InputManager::replayInput()
{
    GameManager& game = GameManager::getInstance();
    // The player's keys and mouse are not the replay's: only a request to
    // close the window is heard.
    if (sf::RenderWindow* p_window = GraphicsManager::getInstance().getWindow()) {
        sf::Event window_event;
        while (p_window->pollEvent(window_event)) {
            if (window_event.type == sf::Event::Closed) {
                p_replayer->interrupt();
                game.setGameOver(true);
            }
            serveWindow(window_event);
        }
        toggleFullscreenIfAsked();
    }
    const int step = game.getStepCount();
    // A stop signal interrupts the replay between two events, however many
    // the recording holds for this frame.
    p_replayer->sendInputs(step, [this](const Event& event) {
        send(event);
        if (platform::stopSignal() != 0)
            p_replayer->interrupt();
    });
    if (game.isPaused())
        p_replayer->checkPausedAt(step);
    if (!p_replayer->hasFailed() && !p_replayer->isComplete(step))
        return;
    if (on_replay_end && !p_replayer->wasInterrupted()) {
        // Played on from here: by what the handler sets, in this same frame.
        InputReplayer& ended = *p_replayer;
        const std::function<void(InputReplayer&)> handler = std::move(on_replay_end);
        setReplayer(nullptr);
        handler(ended);
        if (p_replayer != nullptr)
            replayInput();
        else
            readWindowInput();
        return;
    }
    // The world stays where the replay ended or parted.
    game.setStepLimit(step);
    game.setGameOver(true);
}

void InputManager::serveWindow(const sf::Event& window_event)
{
    if (window_event.type == sf::Event::Resized)
        GraphicsManager::getInstance().windowResized(window_event.size.width, window_event.size.height);
    else if (fullscreen_keys && isFullscreenKey(window_event))
        fullscreen_asked = !fullscreen_asked;
}

void InputManager::toggleFullscreenIfAsked()
{
    // After the loop over the window's events: the window is made anew.
    if (!fullscreen_asked)
        return;
    fullscreen_asked = false;
    GraphicsManager& graphics = GraphicsManager::getInstance();
    graphics.setFullscreen(!graphics.isFullscreen());
}

void InputManager::setFullscreenKeys(bool enabled)
{
    fullscreen_keys = enabled;
}

bool InputManager::getFullscreenKeys() const
{
    return fullscreen_keys;
}

void InputManager::send(const Event& event)
{
    const int step = GameManager::getInstance().getStepCount();
    if (p_recorder != nullptr)
        p_recorder->record(event, step);
    for (InputRecorder* p_more : more_recorders)
        p_more->record(event, step);
    onEvent(&event);
}

void InputManager::sendLive(const Event& event)
{
    if (key_hook && event.getType() == KEYBOARD_EVENT && key_hook(static_cast<const EventKeyboard&>(event)))
        return;
    send(event);
}

void InputManager::setKeyHook(std::function<bool(const EventKeyboard&)> new_hook)
{
    key_hook = std::move(new_hook);
}

bool InputManager::isReplaying() const
{
    return p_replayer != nullptr;
}

void InputManager::addRecorder(InputRecorder* p_more)
{
    if (p_more != nullptr &&
        std::find(more_recorders.begin(), more_recorders.end(), p_more) == more_recorders.end())
        more_recorders.push_back(p_more);
}

void InputManager::removeRecorder(InputRecorder* p_more)
{
    more_recorders.erase(std::remove(more_recorders.begin(), more_recorders.end(), p_more),
                         more_recorders.end());
}

void InputManager::setRecorder(InputRecorder* p_new_recorder)
{
    p_recorder = p_new_recorder;
}

void InputManager::finishRecording()
{
    const int step = GameManager::getInstance().getStepCount();
    if (p_recorder != nullptr)
        p_recorder->finish(step);
    for (InputRecorder* p_more : more_recorders)
        p_more->finish(step);
}

void InputManager::setReplayer(InputReplayer* p_new_replayer)
{
    setReplayer(p_new_replayer, nullptr);
}

void InputManager::setReplayer(InputReplayer* p_new_replayer, std::function<void(InputReplayer&)> on_end)
{
    p_replayer = p_new_replayer;
    on_replay_end = p_replayer != nullptr ? std::move(on_end) : nullptr;
    // A recording made before the engine recorded its random state needs none;
    // one played on from its middle follows the state of the run so far.
    if (p_replayer != nullptr && p_replayer->playsFromStart() && p_replayer->getRecording().hasSeed())
        GameManager::getInstance().getRandom().setState(p_replayer->getRecording().getSeed());
    const int end = p_replayer != nullptr ? p_replayer->getRecording().getEndStep() : -1;
    GameManager::getInstance().setStepLimit(end >= 0 ? end + p_replayer->getStepOrigin() : NO_STEP_LIMIT);
}

} // namespace zp
